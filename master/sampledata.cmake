# The sample master data the program ships. The text sources in res/sampledata are read into the
# master models and written as the binary master files at build time, under
# ${VEMO_SAMPLE_DATA_DIR}/データ格納 and ${VEMO_SAMPLE_DATA_DIR}/初期データ/データ格納, from where the
# program's build copies them beside the executable.
add_library(VemoSampleData STATIC
  ${CMAKE_CURRENT_LIST_DIR}/sampledata/SampleText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sampledata/SampleMasters.cpp
)
target_link_libraries(VemoSampleData PUBLIC VemoMaster)

add_executable(MakeSampleMasters ${CMAKE_CURRENT_LIST_DIR}/sampledata/MakeSampleMasters.cpp)
target_link_libraries(MakeSampleMasters PRIVATE VemoSampleData)

set(VEMO_SAMPLE_SOURCE_DIR ${PROJECT_SOURCE_DIR}/res/sampledata CACHE INTERNAL
    "Text sources of the sample master data")
set(VEMO_SAMPLE_DATA_DIR ${CMAKE_BINARY_DIR}/sampledata CACHE INTERNAL
    "Generated sample master data: the folders データ格納 and 初期データ to lay beside the program")

set(_vemo_sample_sources)
foreach(_name bukake henkaritsu tanka shokeihi program_kingaku zairyo_tanka hyoshi)
  list(APPEND _vemo_sample_sources ${VEMO_SAMPLE_SOURCE_DIR}/${_name}.txt)
endforeach()

set(_vemo_sample_outputs)
foreach(_data データ格納 初期データ/データ格納)
  foreach(_name 単価データ.daa 諸経費データ.daa プログラム金額データ.daa 表紙データ.daa 材料単価データ25.zoa)
    list(APPEND _vemo_sample_outputs ${VEMO_SAMPLE_DATA_DIR}/${_data}/${_name})
  endforeach()
endforeach()
foreach(_masters データ格納/参考マスター25 初期データ/データ格納/参考マスター)
  foreach(_name 歩掛データ.soa 変化率データ.soa)
    list(APPEND _vemo_sample_outputs ${VEMO_SAMPLE_DATA_DIR}/${_masters}/${_name})
  endforeach()
endforeach()

add_custom_command(
  OUTPUT ${_vemo_sample_outputs}
  COMMAND MakeSampleMasters ${VEMO_SAMPLE_SOURCE_DIR} ${VEMO_SAMPLE_DATA_DIR}
  DEPENDS MakeSampleMasters ${_vemo_sample_sources}
  COMMENT "Generating the sample master data"
  VERBATIM
)
add_custom_target(SampleMasterData ALL DEPENDS ${_vemo_sample_outputs})
