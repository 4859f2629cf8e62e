# The Office locator, shell links and the window finder: real link files, ProgID keys under
# HKEY_CLASSES_ROOT made and removed by the tests, message boxes answered by a helper thread,
# and a stand-in shell link class registered in the process for the shell's failures.
zorv_add_test(office_tests
  SOURCES office/shortcut_test.cpp office/fake_shell_link.c office/office_locator_test.cpp
  LIBS zorv_office zorv_common zorv_afx ole32 uuid shell32 user32 advapi32)

# The zorvdesk program tests, registered later in this folder, write the same ProgID keys.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(office_tests PROPERTIES RESOURCE_LOCK zorv_office_classes)
  cmake_language(DEFER CALL set_property TEST zorvdesk_program_tests APPEND PROPERTY
                 RESOURCE_LOCK zorv_office_classes)
endif()
