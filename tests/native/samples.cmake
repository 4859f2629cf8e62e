zorv_add_test(sample_game_tests
  SOURCES samples/dice_rules_test.cpp
          ${PROJECT_SOURCE_DIR}/samples/dice/dice_rules.cpp
          ${PROJECT_SOURCE_DIR}/samples/dice/dice_record.cpp
  LIBS zorv_includes)
