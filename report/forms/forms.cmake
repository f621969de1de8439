# The print forms the program ships: the descriptions in res/forms are turned into the template
# workbooks and their text twins at build time, under ${VEMO_PRINT_FORMS_DIR} (the folder フォーム
# of the generated sample data), from where ./run lays them beside the program.
add_library(VemoPrintForms STATIC
  ${CMAKE_CURRENT_LIST_DIR}/PrintFormsRead.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintFormsWrite.cpp
)
target_link_libraries(VemoPrintForms PUBLIC VemoReport VemoSampleData pugixml::pugixml)

add_executable(MakePrintForms ${CMAKE_CURRENT_LIST_DIR}/MakePrintForms.cpp)
target_link_libraries(MakePrintForms PRIVATE VemoPrintForms)

set(VEMO_PRINT_FORMS_SOURCE_DIR ${PROJECT_SOURCE_DIR}/res/forms CACHE INTERNAL "Descriptions of the print forms")
set(VEMO_PRINT_FORMS_DIR ${CMAKE_BINARY_DIR}/sampledata/フォーム CACHE INTERNAL
    "Generated print forms: the folder フォーム to lay beside the program")

file(GLOB_RECURSE _vemo_form_sources CONFIGURE_DEPENDS ${VEMO_PRINT_FORMS_SOURCE_DIR}/*)
set(_vemo_form_outputs)
foreach(_name ｶﾗｰA4形式 ﾓﾉｸﾛA4通常形式 ﾓﾉｸﾛA4承認形式 ﾓﾉｸﾛA4内訳詳細形式 全地連ﾓﾉｸﾛA4通常形式 マスター用)
  list(APPEND _vemo_form_outputs ${VEMO_PRINT_FORMS_DIR}/${_name}.xlsx)
endforeach()
foreach(_name ﾓﾉｸﾛA4承認形式 ﾓﾉｸﾛA4内訳詳細形式 全地連ﾓﾉｸﾛA4通常形式)
  list(APPEND _vemo_form_outputs ${VEMO_PRINT_FORMS_DIR}/${_name}.txt)
endforeach()

add_custom_command(
  OUTPUT ${_vemo_form_outputs}
  COMMAND MakePrintForms ${VEMO_PRINT_FORMS_SOURCE_DIR} ${VEMO_PRINT_FORMS_DIR}
  DEPENDS MakePrintForms ${_vemo_form_sources}
  COMMENT "Generating the print forms"
  VERBATIM
)
add_custom_target(PrintForms ALL DEPENDS ${_vemo_form_outputs})
