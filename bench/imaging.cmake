# The picture writers against libjpeg-turbo used bare, and the DIB operations.
add_library(imaging_bench_pictures STATIC imaging/bench_pictures.cpp)
target_link_libraries(imaging_bench_pictures PUBLIC zorv_imaging zorv::jpeg)

add_executable(imaging_bench imaging/imaging_bench.cpp)
target_link_libraries(imaging_bench PRIVATE imaging_bench_pictures benchmark::benchmark)

# Replaces malloc and free to count bytes by allocator: only without the sanitizers' own.
if(NOT ZORV_SANITIZE)
  add_executable(imaging_memory imaging/imaging_memory.cpp imaging/allocation_meter.cpp)
  target_link_libraries(imaging_memory PRIVATE imaging_bench_pictures ${CMAKE_DL_LIBS})
endif()
