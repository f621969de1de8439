# The numeric class library of Formix: vectors, matrices, their factorizations, the text list and
# the numeric methods on expression trees. Built into the same core as the formula evaluator.
target_sources(FormixCore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FormixArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Matrix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MatrixDecomp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericDiagnostics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericFormula.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericMethods.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumericStreams.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Vektor.cpp
)
