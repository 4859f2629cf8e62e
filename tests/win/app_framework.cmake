# The application-framework stand-in's frames and library start-up, with a menu of its own.
zorv_add_test(app_framework_tests
  SOURCES app/framework_test.cpp app/framework_test.rc
  LIBS zorv_afx)
