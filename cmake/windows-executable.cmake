# The Windows executable: the core, the Windows side of the platform seam,
# and the manifest and version resources.
enable_language(RC)

configure_file(res/version.h.in ${CMAKE_CURRENT_BINARY_DIR}/res/version.h @ONLY)

add_executable(qm27r-install
    src/main_win32.cpp
    src/dll_search_win32.cpp
    src/platform_win32.cpp
    src/stdout_win32.cpp
    res/qm27r-install.rc)
target_link_libraries(qm27r-install PRIVATE qm27r_core)
target_include_directories(qm27r-install PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR}/res ${CMAKE_CURRENT_BINARY_DIR}/res)
qm27r_set_compile_options(qm27r-install)
qm27r_set_windows_options(qm27r-install)
qm27r_link_reproducibly(qm27r-install)
