zorv_add_test(host_neutral_tests
  SOURCES host/class_table_test.cpp
  LIBS zorv_neutral)
