# JPEG files: libjpeg-turbo's bare decode and encode beside readJpegFile, the row reader and
# writeJpegFile on the same pictures in the same run.
add_executable(jpeg_bench jpeg_bench.cpp)
target_link_libraries(jpeg_bench PRIVATE imaging_bench_pictures benchmark::benchmark)
