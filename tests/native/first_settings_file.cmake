# make_settings_file writes the 26-byte first file, and never overwrites an existing one.
#   cmake -DTOOL=<make_settings_file> -DWORK=<scratch directory> -P first_settings_file.cmake
# magic, start-up flag, both passwords "tovi" swapped, empty main label and program, no entries
string(JOIN "" expected 4b49564c33 00000000 040047f66796 040047f66796 0000 0000 00)
set(file ${WORK}/kiv2.bin)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

execute_process(COMMAND ${TOOL} ${file} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "make_settings_file failed: ${result}")
endif()
file(READ ${file} written HEX)
if(NOT written STREQUAL expected)
    message(FATAL_ERROR "first file is ${written}, expected ${expected}")
endif()

file(WRITE ${file} "kept")
execute_process(COMMAND ${TOOL} ${file} RESULT_VARIABLE result ERROR_QUIET)
file(READ ${file} kept)
if(result EQUAL 0 OR NOT kept STREQUAL "kept")
    message(FATAL_ERROR "make_settings_file overwrote an existing file")
endif()
