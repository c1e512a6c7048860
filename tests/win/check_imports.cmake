# Fails unless every given Windows binary imports only system DLLs (and our hook library):
# the programs must run on a clean Windows with nothing else installed. ALLOWED narrows the
# DLLs that may be bound at load time.
#   cmake -DOBJDUMP=<objdump> -DFILES=<a;b;...> [-DALLOWED=<a.dll;b.dll;...>] -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed ADVAPI32.dll COMCTL32.dll COMDLG32.dll GDI32.dll KERNEL32.dll msvcrt.dll SHELL32.dll USER32.dll
    KivPx.dll)
if(DEFINED ALLOWED)
    set(allowed ${ALLOWED})
endif()
string(TOLOWER "${allowed}" allowed)

foreach(file IN LISTS FILES)
    execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${OBJDUMP} could not read ${file}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${dump}")
    foreach(import IN LISTS imports)
        string(REPLACE "DLL Name: " "" dll "${import}")
        string(TOLOWER "${dll}" dll)
        if(NOT dll IN_LIST allowed)
            message(FATAL_ERROR "${file} binds ${dll} at load time; allowed: ${allowed}")
        endif()
    endforeach()
    message(STATUS "${file}: binds only ${allowed}")
endforeach()
