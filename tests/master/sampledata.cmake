# The sample master data: its text reader, the generated files, and their loading through the store.
add_executable(SampleDataTests ${CMAKE_CURRENT_LIST_DIR}/SampleDataTest.cpp)
target_link_libraries(SampleDataTests PRIVATE VemoSampleData VemoTestSupport GTest::gtest_main)
target_compile_definitions(SampleDataTests PRIVATE
  VEMO_SAMPLE_DATA_DIR="${VEMO_SAMPLE_DATA_DIR}"
  VEMO_SAMPLE_SOURCE_DIR="${VEMO_SAMPLE_SOURCE_DIR}")
add_dependencies(SampleDataTests SampleMasterData)
gtest_discover_tests(SampleDataTests DISCOVERY_MODE PRE_TEST)

# The sample set priced by the cost calculation, one 業務 after the other.
if(TARGET VemoEstimate)
  add_executable(SamplePricingTests ${CMAKE_CURRENT_LIST_DIR}/SamplePricingTest.cpp)
  target_link_libraries(SamplePricingTests PRIVATE VemoSampleData VemoEstimate VemoTestSupport GTest::gtest_main)
  target_compile_definitions(SamplePricingTests PRIVATE VEMO_SAMPLE_SOURCE_DIR="${VEMO_SAMPLE_SOURCE_DIR}")
  gtest_discover_tests(SamplePricingTests DISCOVERY_MODE PRE_TEST)
endif()
