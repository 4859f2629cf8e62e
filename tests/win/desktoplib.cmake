# The desktop library under Wine: worlds, folders, associations, statistics and utilities.
add_executable(desktoplib_platform_probe desktoplib/platform_probe.cpp)
target_link_libraries(desktoplib_platform_probe PRIVATE zorv_neutral)

zorv_add_test(desktoplib_tests
  SOURCES desktoplib/current_world_test.cpp desktoplib/desktop_folders_test.cpp
  LIBS zorv_neutral advapi32 user32 shell32 ole32
  DEPENDS desktoplib_platform_probe)

# The platform-neutral text and random-draw tests, also as Windows programs: on i686 they check
# that single-precision steps round as on x86_64 (x87 registers).
zorv_add_test(desktoplib_text_win_tests
  SOURCES ${PROJECT_SOURCE_DIR}/tests/native/desktoplib/path_text_test.cpp
  LIBS zorv_neutral)

# Creates and deletes HKLM\SOFTWARE\ZORV like the installation key's own tests.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(desktoplib_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
