zorv_add_test(common_log_tests SOURCES common/log_test.cpp LIBS zorv_common zorv_afx)
zorv_add_test(common_registry_tests SOURCES common/install_registry_test.cpp
              LIBS zorv_common zorv_afx)

# Both programs create and delete HKLM\SOFTWARE\ZORV: never run them at the same time as each
# other or as other tests that use the key.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(common_log_tests common_registry_tests
                       PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
