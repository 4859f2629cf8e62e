# The headless host: its own accounting and failure injection, the host against a small
# stand-in module, and the xtrahost program's output and exit codes.

# The stand-in module, beside the test programs like the real one.
add_library(xtrahost_fake_module SHARED xtrahost_fake_module.cpp
                                        ${PROJECT_SOURCE_DIR}/src/host/identifiers.cpp)
target_link_libraries(xtrahost_fake_module PRIVATE zorv_includes)
set_target_properties(xtrahost_fake_module PROPERTIES PREFIX "" OUTPUT_NAME xtrahost_fake
                                                      SUFFIX ".x32")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  target_link_options(xtrahost_fake_module PRIVATE -Wl,--kill-at)
endif()

zorv_add_test(xtrahost_library_tests
  SOURCES xtrahost_allocator_test.cpp xtrahost_values_test.cpp xtrahost_interfaces_test.cpp
          xtrahost_script_file_test.cpp
  LIBS xtrahost_lib
  TIMEOUT 120)

zorv_add_test(xtrahost_module_tests
  SOURCES xtrahost_module_test.cpp xtrahost_program_test.cpp xtrahost_installation_test.cpp
  LIBS xtrahost_lib
  DEPENDS xtrahost_fake_module xtrahost
  TIMEOUT 120)

# The temporary installation writes HKLM\SOFTWARE\ZORV, like the tests of the installation key.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(xtrahost_module_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
