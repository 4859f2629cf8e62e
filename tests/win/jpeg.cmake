# The JPEG and framed-thumbnail tests of the native build, run against the statically linked,
# cross-built libjpeg-turbo under Wine: its SIMD code, the error manager's jump back on Windows,
# and on i686 the single-precision steps of the thumbnails (x87 registers).
set(jpeg_tests_dir ${PROJECT_SOURCE_DIR}/tests/native/imaging)
zorv_add_test(jpeg_win_tests
  SOURCES ${jpeg_tests_dir}/jpeg_files_test.cpp
  LIBS zorv_neutral zorv::jpeg)
target_include_directories(jpeg_win_tests PRIVATE ${jpeg_tests_dir})
