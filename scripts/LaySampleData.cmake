# Lays the sample data the build generated beside a program: the folders データ格納, 初期データ,
# サンプル and フォーム, each only when the program folder has none yet (edited masters, estimates
# and forms are never overwritten). The sample estimates laid now name the master data of the folder
# they are laid into, so that they open there without a question.
#   cmake -DVEMO_PROGRAM_DIR=<program folder> [-DVEMO_PROGRAM_NAMED_DIR=<folder>] -P <build>/LaySampleData.cmake
# VEMO_PROGRAM_NAMED_DIR is the folder the program will run from when it differs from the one written
# to (a staged install under DESTDIR). <build>/LaySampleData.cmake sets VEMO_SAMPLE_DATA_DIR (the
# generated folders) and VEMO_PLACE_SAMPLES (the tool that rewrites the samples' header) and includes
# this script; ./run and `cmake --install` run it.
if(NOT VEMO_PROGRAM_DIR OR NOT VEMO_SAMPLE_DATA_DIR OR NOT VEMO_PLACE_SAMPLES)
  message(FATAL_ERROR "LaySampleData: VEMO_PROGRAM_DIR, VEMO_SAMPLE_DATA_DIR and VEMO_PLACE_SAMPLES are needed")
endif()
if(NOT VEMO_PROGRAM_NAMED_DIR)
  set(VEMO_PROGRAM_NAMED_DIR "${VEMO_PROGRAM_DIR}")
endif()

foreach(_folder データ格納 初期データ サンプル フォーム)
  if(EXISTS "${VEMO_SAMPLE_DATA_DIR}/${_folder}" AND NOT EXISTS "${VEMO_PROGRAM_DIR}/${_folder}")
    message(STATUS "Laying: ${VEMO_PROGRAM_DIR}/${_folder}")
    file(COPY "${VEMO_SAMPLE_DATA_DIR}/${_folder}" DESTINATION "${VEMO_PROGRAM_DIR}")
    if(_folder STREQUAL "サンプル")
      file(GLOB _samples "${VEMO_PROGRAM_DIR}/サンプル/*.sei")
      if(_samples)
        execute_process(COMMAND "${VEMO_PLACE_SAMPLES}" "${VEMO_PROGRAM_NAMED_DIR}" ${_samples}
                        RESULT_VARIABLE _placed)
        if(NOT _placed EQUAL 0)
          message(FATAL_ERROR "LaySampleData: the sample estimates could not be placed in ${VEMO_PROGRAM_DIR}")
        endif()
      endif()
    endif()
  endif()
endforeach()
