# The headless host: the failure injection and accounting that the module's tests rely on, and
# the xtrahost program as a script's author runs it on the real module.
zorv_add_test(xtrahost_tests
  SOURCES xtrahost_test.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame xtrahost
  TIMEOUT 120)

# The temporary installation writes HKLM\SOFTWARE\ZORV, like the tests of the installation key.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(xtrahost_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
