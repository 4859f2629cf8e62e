zorv_add_test(imaging_dib_tests
  SOURCES imaging/dib_test.cpp imaging/thumbnail_test.cpp
  LIBS zorv_imaging)
zorv_add_test(imaging_framed_thumbnail_tests
  SOURCES imaging/framed_thumbnail_test.cpp imaging/jpeg_test_support.cpp
  LIBS zorv_imaging zorv::jpeg)
