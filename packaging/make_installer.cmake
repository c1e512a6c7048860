# Builds the installer with makensis, handing it the version and the staged files.
# Run as: cmake -DMAKENSIS=... -DSCRIPT=... -DVERSION=... -DSTAGE=... -DOUTFILE=... -P make_installer.cmake
if(NOT MAKENSIS)
    message(FATAL_ERROR "makensis not found: install the Debian package nsis (scripts/install-deps.sh does).")
endif()
execute_process(
    COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DVERSION=${VERSION}" "-DSTAGE=${STAGE}" "-DOUTFILE=${OUTFILE}" "${SCRIPT}"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "makensis failed (${result})")
endif()
