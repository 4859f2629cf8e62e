# zorvdesk as a user runs it: one program, one source file per command group.
file(GLOB ZORVDESK_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/zorvdesk/*.cpp)
zorv_add_test(zorvdesk_program_tests
  SOURCES ${ZORVDESK_TEST_SOURCES}
  LIBS zorv_neutral advapi32
  DEPENDS zorvdesk
  TIMEOUT 300)

# The commands read and write HKLM\SOFTWARE\ZORV like the installation key's own tests.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(zorvdesk_program_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
