# Tests of `cmake --install` (app/CMakeLists.txt, res/desktop/Install.cmake): the program installed
# under a fresh prefix finds every library it needs, and its sample estimates open there without a
# question (the laid-sample test of AppTests run over the installed folder).
#   cmake -DVEMO_BUILD_DIR=<build> -DVEMO_PREFIX=<fresh folder> -DVEMO_APP_TESTS=<AppTests> -P InstallCheck.cmake
file(REMOVE_RECURSE "${VEMO_PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${VEMO_BUILD_DIR}" --prefix "${VEMO_PREFIX}"
                RESULT_VARIABLE _installed OUTPUT_VARIABLE _log ERROR_VARIABLE _log)
if(NOT _installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${_log}")
endif()
set(_program_dir "${VEMO_PREFIX}/lib/vemo-ovra")
if(NOT EXISTS "${_program_dir}/VemoMlit")
  file(GLOB_RECURSE _programs "${VEMO_PREFIX}/*/VemoMlit")
  list(GET _programs 0 _program)
  get_filename_component(_program_dir "${_program}" DIRECTORY)
endif()

# The loader lists what the installed program needs; none may be missing.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env LD_TRACE_LOADED_OBJECTS=1 "${_program_dir}/VemoMlit"
                OUTPUT_VARIABLE _libraries ERROR_VARIABLE _libraries)
if(_libraries MATCHES "not found" OR NOT _libraries MATCHES "libQt6Widgets")
  message(FATAL_ERROR "The installed program does not find its libraries:\n${_libraries}")
endif()

# The command in the prefix's bin folder starts the installed program.
set(_command "${VEMO_PREFIX}/bin/vemo-ovra")
file(STRINGS "${_command}" _exec REGEX "^exec ")
execute_process(COMMAND test -x "${_command}" RESULT_VARIABLE _not_executable)
if(_not_executable OR NOT _exec STREQUAL "exec \"${_program_dir}/VemoMlit\" \"$@\"")
  message(FATAL_ERROR "${_command} does not start the installed program: ${_exec}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E env "VEMO_INSTALLED_PROGRAM_DIR=${_program_dir}"
                        "${VEMO_APP_TESTS}" --gtest_filter=LaidSampleData.*
                RESULT_VARIABLE _opened OUTPUT_VARIABLE _log ERROR_VARIABLE _log)
if(NOT _opened EQUAL 0)
  message(FATAL_ERROR "The installed samples do not open without a question:\n${_log}")
endif()
file(REMOVE_RECURSE "${VEMO_PREFIX}")
