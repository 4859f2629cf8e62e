# The main job as a test: the demo script through the real module and the sample game.
if(ZORV_CAN_RUN_TESTS)
  add_test(NAME demo_script
           COMMAND ${CMAKE_COMMAND} "-DHOST=${CMAKE_CROSSCOMPILING_EMULATOR};$<TARGET_FILE:xtrahost>"
                   -DSCRIPT=${PROJECT_SOURCE_DIR}/samples/demo.xts
                   -P ${PROJECT_SOURCE_DIR}/cmake/check-demo.cmake
           WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(demo_script PROPERTIES FIXTURES_REQUIRED wine_prefix
                                              RESOURCE_LOCK zorv_install_key TIMEOUT 180)
else()
  zorv_test_not_run(demo_script)
endif()
