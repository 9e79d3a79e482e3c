# qm27r_check_tools(<result> <purpose> <variable>...): sets <result> to
# whether every variable names a found tool. A missing tool leaves that
# purpose out of a local build with a warning, and fails the configure in CI,
# where every test must run.
function(qm27r_check_tools result purpose)
    foreach(variable IN LISTS ARGN)
        if(NOT ${variable})
            if(DEFINED ENV{CI})
                message(FATAL_ERROR "${purpose}: ${variable} not found")
            endif()
            message(WARNING "${purpose} left out: ${variable} not found")
            set(${result} FALSE PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${result} TRUE PARENT_SCOPE)
endfunction()
