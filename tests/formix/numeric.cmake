# Tests of the numeric class library of Formix.
add_executable(FormixNumericTests
  ${CMAKE_CURRENT_LIST_DIR}/DecompTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormixArchiveTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MatrixStreamTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MatrixTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericMethodsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextListTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VektorStreamTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VektorTest.cpp
)
target_link_libraries(FormixNumericTests PRIVATE FormixCore GTest::gtest_main)
gtest_discover_tests(FormixNumericTests DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "LOCPATH=${VEMO_TEST_LOCPATH}")
