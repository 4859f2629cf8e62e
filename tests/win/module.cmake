# The real module driven through the headless host library under wine64.
zorv_add_test(module_entry_tests
  SOURCES module/entry_test.cpp module/registration_test.cpp module/module_fixture.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame)

zorv_add_test(module_script_tests
  SOURCES module/script_instance_test.cpp module/script_call_test.cpp
          module/game_bridge_test.cpp module/script_fixture.cpp module/module_fixture.cpp
          module/game_install.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame ${ZORV_TEST_GAME_MODULES})

zorv_add_test(module_reliability_tests
  SOURCES module/reliability_test.cpp module/module_fixture.cpp module/game_install.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame ${ZORV_TEST_GAME_MODULES}
  TIMEOUT 1200)
