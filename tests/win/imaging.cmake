# DIB handles, BMP files and the picture writers under Wine, with files in a temporary folder.
file(GLOB ZORV_IMAGING_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/imaging/*_test.cpp)
zorv_add_test(imaging_win_tests
  SOURCES ${ZORV_IMAGING_WIN_TESTS}
  LIBS zorv_imaging zorv_common zorv_afx gdi32 user32)

# The capture tests open the log in a temporary installation under HKLM\SOFTWARE\ZORV.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(imaging_win_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
