zorv_add_test(desktoplib_text_tests
  SOURCES desktoplib/path_text_test.cpp desktoplib/utility_text_test.cpp
  LIBS zorv_neutral)
