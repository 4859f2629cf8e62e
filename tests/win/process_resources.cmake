# Counters of what a process holds (kernel objects, registry keys, GDI and USER objects, heap
# bytes) for the tests that prove nothing is left behind.
add_library(zorv_process_resources STATIC
            ${PROJECT_SOURCE_DIR}/tests/support/process_resources.cpp)
target_include_directories(zorv_process_resources PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(zorv_process_resources PUBLIC user32)

# The counters' calibration under this Wine, then the desktop library's operations called many
# times (ZORV_SOAK_CALLS each) with nothing left behind.
zorv_add_test(soak_tests
  SOURCES soak_test.cpp
  LIBS zorv_process_resources zorv_neutral ole32 uuid shell32 gdi32 user32 advapi32
  TIMEOUT 240)

# A temporary installation under HKLM\SOFTWARE\ZORV and an Office ProgID of the tests' own.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(soak_tests PROPERTIES RESOURCE_LOCK "zorv_install_key;zorv_office_classes")
endif()
