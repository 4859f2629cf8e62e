# The real module driven through the headless host library under wine64.
zorv_add_test(module_entry_tests
  SOURCES module/entry_test.cpp module/registration_test.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame)

zorv_add_test(module_script_tests
  SOURCES module/script_instance_test.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame ${ZORV_TEST_GAME_MODULES})

zorv_add_test(module_reliability_tests
  SOURCES module/reliability_test.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame ${ZORV_TEST_GAME_MODULES}
  TIMEOUT 1200)

if(ZORV_CAN_RUN_TESTS)
  # They write HKLM\SOFTWARE\ZORV, which other test programs write too.
  set_tests_properties(module_script_tests module_reliability_tests
                       PROPERTIES RESOURCE_LOCK zorv_install_key)
  # Wine numbers window handles across processes: windows made by a parallel test would move
  # the handle slots this test compares.
  set_tests_properties(module_reliability_tests PROPERTIES RUN_SERIAL TRUE)
endif()
