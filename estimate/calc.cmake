# The cost calculation of the estimate object: it reads the masters and values formulas with Formix.
target_sources(VemoEstimate PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CalcEnvironment.cpp)
target_link_libraries(VemoEstimate PUBLIC VemoMaster Formix)
foreach(part pricing driver)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${part}.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/${part}.cmake)
  endif()
endforeach()
