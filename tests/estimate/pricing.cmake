# Tests of the pricing of estimate rows; the masters and items are built in code (PricingBuilders).
add_executable(EstimatePricingTests
  PricingBuilders.cpp
  PricingRulesTest.cpp
  RateValuesTest.cpp
  RateTextsTest.cpp
  SokuryoAmountTest.cpp
  SekkeiAmountTest.cpp
  SpecialRowsTest.cpp
)
target_include_directories(EstimatePricingTests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(EstimatePricingTests PRIVATE VemoEstimate VemoEstimateTestBuilders VemoMasterTestBuilders
                      VemoTestSupport GTest::gtest_main)
gtest_discover_tests(EstimatePricingTests DISCOVERY_MODE PRE_TEST)
