# File icons and icons saved as JPEG pictures.
zorv_add_test(icon_tests
  SOURCES icons/file_icon_test.cpp
  LIBS zorv_neutral ole32 uuid shell32 gdi32 user32
  TIMEOUT 300)

# The tests open the log through the installation key.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(icon_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
