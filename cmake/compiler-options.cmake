# Warnings for every target of the project, and the sanitizers for the
# native test build. Flags are spelled for GCC and Clang, with MSVC's own
# where one exists, so neither compiler is handed the other's.
function(qm27r_set_compile_options target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${QM27R_WARNINGS_AS_ERRORS}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra
            $<$<BOOL:${QM27R_WARNINGS_AS_ERRORS}>:-Werror>)
    endif()
    if(QM27R_SANITIZE AND NOT MSVC)
        target_compile_options(${target} PRIVATE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# Every Windows program of the project, the tool and its test helpers alike,
# is built the same way: for Windows 10 headers, and carrying its own C++
# and GCC runtime so that it needs no DLL beyond those Windows itself has.
function(qm27r_set_windows_options target)
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0A00)
    if(MINGW)
        target_link_options(${target} PRIVATE -static)
    endif()
endfunction()
