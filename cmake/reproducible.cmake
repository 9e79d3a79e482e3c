# The same commit and toolchain give the same executable, wherever and
# whenever it is built. The PE header's time stamp, the one field the linker
# takes from the clock, comes from SOURCE_DATE_EPOCH when it is set and
# otherwise from the time of the last commit; the linker reads it from the
# environment. Build paths are mapped away where the compiler could embed one.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(QM27R_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    find_package(Git QUIET)
    if(Git_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE QM27R_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        # A new commit or checkout configures again, for its own time stamp.
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --absolute-git-dir
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE git_dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(EXISTS "${git_dir}/logs/HEAD")
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${git_dir}/logs/HEAD")
        endif()
    endif()
    if(NOT QM27R_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        message(WARNING "Neither SOURCE_DATE_EPOCH nor a git commit: the PE time stamp is 0")
        set(QM27R_SOURCE_DATE_EPOCH 0)
    endif()
endif()

if(NOT MSVC)
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()

# qm27r_link_reproducibly(<target>): the linker gets the time stamp.
function(qm27r_link_reproducibly target)
    set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER
        ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${QM27R_SOURCE_DATE_EPOCH})
endfunction()
