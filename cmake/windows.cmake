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

# The release: Vantelsby-<version>-win32.zip with the program, a README for
# Windows users and the licence.
configure_file(packaging/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(TARGETS Vantelsby RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME "Vantelsby-${PROJECT_VERSION}-win32")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)

# What a Windows user downloads is checked as it is.
add_test(NAME release.executable
         COMMAND ${CMAKE_SOURCE_DIR}/tests/release/check-executable.sh $<TARGET_FILE:Vantelsby>)
add_test(NAME release.reproducible
         COMMAND ${CMAKE_SOURCE_DIR}/tests/release/check-reproducible.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/repro)
add_test(NAME release.zip
         COMMAND ${CMAKE_SOURCE_DIR}/tests/release/check-zip.sh ${CMAKE_BINARY_DIR}
                 Vantelsby-${PROJECT_VERSION}-win32.zip $<TARGET_FILE:Vantelsby>)
set_tests_properties(release.executable release.reproducible release.zip PROPERTIES FAIL_REGULAR_EXPRESSION "FAIL")
