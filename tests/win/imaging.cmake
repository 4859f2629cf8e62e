# DIB handles, BMP files and the picture writers under Wine, with files in a temporary folder.
file(GLOB ZORV_IMAGING_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/imaging/*_test.cpp)
zorv_add_test(imaging_win_tests
  SOURCES ${ZORV_IMAGING_WIN_TESTS}
  LIBS zorv_neutral gdi32 user32)

# The capture tests open the log in a temporary installation under HKLM\SOFTWARE\ZORV.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(imaging_win_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()

# The platform-neutral DIB and thumbnail tests of the native build, also run as Windows
# programs: on i686 they check that single-precision steps round as on x86_64 (x87 registers).
set(imaging_native_tests_dir ${PROJECT_SOURCE_DIR}/tests/native/imaging)
zorv_add_test(imaging_neutral_win_tests
  SOURCES ${imaging_native_tests_dir}/dib_test.cpp
  LIBS zorv_neutral)
target_include_directories(imaging_neutral_win_tests PRIVATE ${imaging_native_tests_dir})
