# The headless host: the failure injection and accounting that the module's tests rely on, and
# the xtrahost program as a script's author runs it on the real module.
zorv_add_test(xtrahost_library_tests
  SOURCES xtrahost_host_test.cpp
  LIBS xtrahost_lib
  TIMEOUT 120)

zorv_add_test(xtrahost_module_tests
  SOURCES xtrahost_program_test.cpp
  DEPENDS ZORVgame xtrahost
  TIMEOUT 120)

# The temporary installation writes HKLM\SOFTWARE\ZORV, like the tests of the installation key.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(xtrahost_module_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
