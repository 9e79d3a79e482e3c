# clang-tidy and cppcheck over the tool's sources, as ctest tests of the
# native build. A finding fails the test.
find_program(QM27R_CLANG_TIDY NAMES clang-tidy clang-tidy-14)
find_program(QM27R_CPPCHECK NAMES cppcheck)
qm27r_check_tools(found "Static analysis" QM27R_CLANG_TIDY QM27R_CPPCHECK)
if(NOT found)
    return()
endif()

get_target_property(core_sources qm27r_core SOURCES)
add_test(NAME lint.clang-tidy
    COMMAND ${QM27R_CLANG_TIDY} -p ${CMAKE_BINARY_DIR} --quiet ${core_sources}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
# cppcheck reads the Windows side too: it needs no Windows headers for that.
add_test(NAME lint.cppcheck
    COMMAND ${QM27R_CPPCHECK} --std=c++17 --language=c++ --quiet --error-exitcode=1
        --enable=warning,style,performance,portability --inline-suppr
        --suppress=missingIncludeSystem -I src src
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
