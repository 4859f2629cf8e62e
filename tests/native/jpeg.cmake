# JPEG files, the row-by-row reader and framed thumbnails over libjpeg-turbo.
zorv_add_test(jpeg_tests
  SOURCES imaging/jpeg_files_test.cpp
  LIBS zorv_imaging zorv::jpeg)
