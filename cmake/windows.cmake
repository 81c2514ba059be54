# The Windows build: the product, its release zip and the end-to-end tests.
enable_language(RC)

# Small and self-contained: no exception or RTTI tables, the compiler's
# runtime linked in, so the program imports only system DLLs. No timestamp
# and no build paths, so that two builds of one commit are byte-identical.
set(VANTELSBY_COMPILE_OPTIONS
    -Os -Wall -Wextra -Werror
    -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
set(VANTELSBY_LINK_OPTIONS
    -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp
    -Wl,--dynamicbase -Wl,--nxcompat)
target_compile_options(vantelsby_core PRIVATE ${VANTELSBY_COMPILE_OPTIONS})

add_executable(Vantelsby WIN32
    run/main.cpp
    run/vantelsby.rc
    survey/list_windows.cpp
    survey/log_file.cpp)
target_link_libraries(Vantelsby PRIVATE vantelsby_core)
target_compile_options(Vantelsby PRIVATE ${VANTELSBY_COMPILE_OPTIONS})
target_link_options(Vantelsby PRIVATE -municode ${VANTELSBY_LINK_OPTIONS})
set_target_properties(Vantelsby PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set_source_files_properties(run/vantelsby.rc PROPERTIES OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/run/vantelsby.manifest)

add_custom_command(TARGET Vantelsby POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E echo "Vantelsby.exe: $<TARGET_FILE:Vantelsby>"
    COMMAND stat -c "Vantelsby.exe size: %s bytes" $<TARGET_FILE:Vantelsby>
    VERBATIM)

add_subdirectory(tests/e2e)

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()
