zorv_add_test(imaging_dib_tests
  SOURCES imaging/dib_test.cpp
  LIBS zorv_imaging)
