# The distribution ZIP as a game author gets it (package/check_package.cmake). It needs the
# whole build, and writes HKLM\SOFTWARE\ZORV through the package's host.
if(ZORV_CAN_RUN_TESTS)
  add_test(NAME package
           COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSOURCE=${PROJECT_SOURCE_DIR}
                   "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" -DCXX=${CMAKE_CXX_COMPILER}
                   -DGENERATOR=${CMAKE_GENERATOR}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/package/check_package.cmake)
  set_tests_properties(package PROPERTIES FIXTURES_REQUIRED wine_prefix
                                          RESOURCE_LOCK zorv_install_key TIMEOUT 300)
else()
  zorv_test_not_run(package)
endif()
