# The real module driven through the headless host library under wine64.
zorv_add_test(module_entry_tests
  SOURCES module/entry_test.cpp module/registration_test.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame)

zorv_add_test(module_script_tests
  SOURCES module/script_instance_test.cpp module/host_failure_sweep_test.cpp
  LIBS xtrahost_lib
  DEPENDS ZORVgame ${ZORV_TEST_GAME_MODULES})

# What the compiler runtime alone leaves when a DLL is loaded and unloaded, beside the module.
add_library(runtime_floor SHARED module/runtime_floor.cpp)
set_target_properties(runtime_floor PROPERTIES PREFIX "")

zorv_add_test(module_reliability_tests
  SOURCES module/reliability_test.cpp
  LIBS xtrahost_lib zorv_process_resources
  DEPENDS ZORVgame runtime_floor ${ZORV_TEST_GAME_MODULES}
  TIMEOUT 1200)

# Loads, unloads and loads the module again in a fresh process that allocates nothing between.
add_executable(fresh_loader module/fresh_loader.c)
if(ZORV_CAN_RUN_TESTS)
  add_test(NAME module_reload_fresh COMMAND fresh_loader ZORVgame.x32
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(module_reload_fresh PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 120)
  add_dependencies(fresh_loader ZORVgame)
else()
  zorv_test_not_run(module_reload_fresh)
endif()

if(ZORV_CAN_RUN_TESTS)
  # They write HKLM\SOFTWARE\ZORV, which other test programs write too.
  set_tests_properties(module_script_tests module_reliability_tests
                       PROPERTIES RESOURCE_LOCK zorv_install_key)
  # Wine numbers window handles across processes: windows made by a parallel test would move
  # the handle slots this test compares.
  set_tests_properties(module_reliability_tests PROPERTIES RUN_SERIAL TRUE)
endif()
