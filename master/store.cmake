# The master-data store: where the masters lie, their loads, saves and edit locks.
target_sources(VemoMaster PRIVATE ${CMAKE_CURRENT_LIST_DIR}/MasterDialogs.cpp ${CMAKE_CURRENT_LIST_DIR}/MasterStore.cpp)
target_link_libraries(VemoMaster PUBLIC Formix)
