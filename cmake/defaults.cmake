# Build settings shared by every target of ours (not by the third-party code we build).

if(WIN32)
    enable_language(RC)
    # Resource scripts are UTF-8.
    set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
    add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
    # Nothing but system DLLs (and our hook library) at run time.
    add_link_options(-static -static-libgcc -static-libstdc++)
else()
    # Native code is only ever tests, tools and fuzzers: always checked by the sanitizers,
    # always instrumented for coverage-guided fuzzing.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
                        -fsanitize=fuzzer-no-link -g)
    add_link_options(-fsanitize=address,undefined)
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

function(kivel_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
    if(WIN32)
        # Narrow literals become the code page 932 bytes that the ANSI API expects.
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-fexec-charset=CP932>)
    endif()
endfunction()

# windres reports nothing of what a resource script reads, so the build would keep a stale
# manifest, picture or version block (the version header changes with the project version).
# Names the files that `rc_file`, in the current directory, reads besides itself.
function(kivel_resource_inputs rc_file)
    set(inputs ${KIVEL_GENERATED_DIR}/kivel_version.h ${KIVEL_GENERATED_DIR}/version_block.rc)
    foreach(input ${ARGN})
        list(APPEND inputs ${CMAKE_CURRENT_SOURCE_DIR}/${input})
    endforeach()
    set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${inputs}")
endfunction()
