# Tests of the main calculation pass and the recalculation driver; masters and estimates are built
# in code (DriverBuilders).
add_executable(EstimateDriverTests
  DriverBuilders.cpp
  SummaryRowsTest.cpp
  RemarksTest.cpp
  MainPassTest.cpp
  EstimateKindsTest.cpp
  CalcContextTest.cpp
  RecalcMemoTest.cpp
)
target_include_directories(EstimateDriverTests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(EstimateDriverTests PRIVATE VemoEstimate VemoEstimateTestBuilders VemoMasterTestBuilders
                      VemoTestSupport GTest::gtest_main)
gtest_discover_tests(EstimateDriverTests DISCOVERY_MODE PRE_TEST)

# The shipped sample master data prices a sample estimate of each business kind.
if(TARGET VemoSampleData)
  target_sources(EstimateDriverTests PRIVATE SampleEstimateTest.cpp)
  target_link_libraries(EstimateDriverTests PRIVATE VemoSampleData)
  target_compile_definitions(EstimateDriverTests PRIVATE VEMO_SAMPLE_SOURCE_DIR="${VEMO_SAMPLE_SOURCE_DIR}")
endif()
