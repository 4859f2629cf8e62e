zorv_add_test(common_text_tests
  SOURCES common/common_text_test.cpp
  LIBS zorv_common zorv_afx)
