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
# carries its own C++ and GCC runtime so that it needs no DLL beyond those
# Windows itself has. qm27r_set_windows_options(<target> [<_WIN32_WINNT>]):
# the headers are those of the Windows version given, by default Vista, the
# oldest the tool runs on; test helpers may ask for newer ones.
function(qm27r_set_windows_options target)
    set(windows_version 0x0600)
    if(ARGC GREATER 1)
        set(windows_version ${ARGV1})
    endif()
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN _WIN32_WINNT=${windows_version})
    if(MINGW)
        target_link_options(${target} PRIVATE -static)
    endif()
endfunction()
