add_executable(log_bench log_bench.cpp)
target_link_libraries(log_bench PRIVATE zorv_common zorv_afx benchmark::benchmark)
