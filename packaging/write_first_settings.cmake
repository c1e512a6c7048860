# Writes the packages' first kiv2.bin with the real writer, anew each time (the writer never
# overwrites a file). Run as: cmake -DWRITER=... -DOUTPUT=... -P write_first_settings.cmake
if(NOT EXISTS "${WRITER}")
    message(FATAL_ERROR "No settings writer at '${WRITER}': build the native preset first "
                        "(cmake --preset native && cmake --build --preset native), or set KIVEL_SETTINGS_WRITER.")
endif()
file(REMOVE "${OUTPUT}")
get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
execute_process(COMMAND "${WRITER}" "${OUTPUT}" OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS "${OUTPUT}")
    message(FATAL_ERROR "${WRITER} could not write ${OUTPUT}")
endif()
