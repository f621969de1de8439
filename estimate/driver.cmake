# The recalculation driver and the main calculation pass of the estimate object.
target_sources(VemoEstimate PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SekisanCalcGyomu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SekisanRecalc.cpp
)
