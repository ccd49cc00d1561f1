# Fails when a C++ source is not in the project's clang-format style.
file(GLOB_RECURSE sources
    "${SOURCE_DIR}/engine/*.cpp" "${SOURCE_DIR}/engine/*.h"
    "${SOURCE_DIR}/ui/*.cpp" "${SOURCE_DIR}/ui/*.h"
    "${SOURCE_DIR}/results/*.cpp" "${SOURCE_DIR}/results/*.h"
    "${SOURCE_DIR}/tools/*.cpp" "${SOURCE_DIR}/tools/*.h"
    "${SOURCE_DIR}/tests/*.cpp" "${SOURCE_DIR}/tests/*.h"
    "${SOURCE_DIR}/bench/*.cpp" "${SOURCE_DIR}/bench/*.h")
execute_process(
    COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
    RESULT_VARIABLE result
    ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Not in clang-format style (run 'make format'):\n${errors}")
endif()
