# Test GameModules, one source in several variants (see the source for the switches).
function(zorv_test_game_module name)
  add_library(${name} SHARED ${PROJECT_SOURCE_DIR}/tests/gamemodules/test_game_module.c)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE ZORV_GAME_MODULE_BUILD TGM_VARIANT=${name} ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "")
endfunction()

zorv_test_game_module(tgm_all TGM_START_MODE=1 TGM_SCORE_MODE=1 TGM_STOP_RESULT=1)
zorv_test_game_module(tgm_noscore TGM_START_MODE=1 TGM_STOP_RESULT=1)
zorv_test_game_module(tgm_empty TGM_START_MODE=2 TGM_SCORE_MODE=2 TGM_STOP_RESULT=0)
zorv_test_game_module(tgm_false TGM_START_MODE=0 TGM_SCORE_MODE=2 TGM_STOP_RESULT=0)
zorv_test_game_module(tgm_bare TGM_SCORE_MODE=1)  # the score export alone
set(ZORV_TEST_GAME_MODULES tgm_all tgm_noscore tgm_empty tgm_false tgm_bare)
