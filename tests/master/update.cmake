# Master updates, automatic update, imports and consistency check.
add_executable(MasterUpdateTests
  ${CMAKE_CURRENT_LIST_DIR}/AutoVerupTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterCheckTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterImportTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterMergeTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterUpdateTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UpdateFixture.cpp
)
target_link_libraries(MasterUpdateTests PRIVATE VemoMasterTestBuilders VemoTestSupport VemoMasterTestSupport GTest::gtest_main)
gtest_discover_tests(MasterUpdateTests DISCOVERY_MODE PRE_TEST)
