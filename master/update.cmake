# Master updates from the shipped data, the automatic update, the imports and the consistency check.
target_sources(VemoMaster PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AutoVerup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterImport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterMerge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MasterUpdate.cpp
)
