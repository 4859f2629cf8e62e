# The real module driven through the headless host library under wine64.
zorv_add_test(module_entry_tests
  SOURCES module/entry_test.cpp module/registration_test.cpp module/module_fixture.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame)
