# Times the whole recalculation on generated estimates of 100, 1,000 and 5,000 rows:
#   RecalcBench --benchmark_min_time=0.5
add_executable(RecalcBench ${CMAKE_CURRENT_LIST_DIR}/RecalcBench.cpp)
target_link_libraries(RecalcBench PRIVATE VemoEstimate benchmark::benchmark_main)
