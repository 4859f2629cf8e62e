# What GameModule authors get: the buffer forms of the games' static library, linked alone as a
# game links it, and the sample game Dice Duel keeping its record in a world.
zorv_add_test(sdk_tests
  SOURCES sdk/zorv_desktop_test.cpp
  LIBS zorv_desktop_sdk
  DEPENDS ZorvDice
  TIMEOUT 120)

# The tests write HKLM\SOFTWARE\ZORV.
if(ZORV_CAN_RUN_TESTS)
  set_tests_properties(sdk_tests PROPERTIES RESOURCE_LOCK zorv_install_key)
endif()
