add_executable(script_call_bench ${CMAKE_CURRENT_LIST_DIR}/script_call_bench.cpp
                                 ${PROJECT_SOURCE_DIR}/src/host/identifiers.cpp)
target_link_libraries(script_call_bench PRIVATE zorv_includes)
add_dependencies(script_call_bench ZORVgame)
