# Counters of what a process holds (kernel objects, registry keys, GDI and USER objects, heap
# bytes) for the tests that prove nothing is left behind, and their calibration under this Wine.
add_library(zorv_process_resources STATIC
            ${PROJECT_SOURCE_DIR}/tests/support/process_resources.cpp)
target_include_directories(zorv_process_resources PUBLIC ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(zorv_process_resources PUBLIC user32)

zorv_add_test(process_resources_tests
  SOURCES process_resources_test.cpp
  LIBS zorv_process_resources gdi32 advapi32)
