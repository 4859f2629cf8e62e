# JPEG files and the row-by-row reader over libjpeg-turbo.
zorv_add_test(jpeg_tests
  SOURCES imaging/jpeg_files_test.cpp imaging/jpeg_written_file_test.cpp
          imaging/jpeg_scanline_reader_test.cpp imaging/jpeg_test_support.cpp
  LIBS zorv_imaging zorv::jpeg)
