# The JPEG tests of the native build, run against the statically linked, cross-built
# libjpeg-turbo under Wine: its SIMD code and the error manager's jump back on Windows.
set(jpeg_tests_dir ${PROJECT_SOURCE_DIR}/tests/native/imaging)
zorv_add_test(jpeg_win_tests
  SOURCES ${jpeg_tests_dir}/jpeg_files_test.cpp ${jpeg_tests_dir}/jpeg_written_file_test.cpp
          ${jpeg_tests_dir}/jpeg_scanline_reader_test.cpp ${jpeg_tests_dir}/jpeg_test_support.cpp
  LIBS zorv_imaging zorv_common zorv_afx zorv_desktoplib zorv_office zorv::jpeg)
target_include_directories(jpeg_win_tests PRIVATE ${jpeg_tests_dir})
