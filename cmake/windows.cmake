# The Windows program, its resources, its packages and its tests: parts of a Windows build only.
if(NOT WIN32)
    return()
endif()

# The programs that ship beside Orvane.exe: the catalogue reader it starts, and the builder that
# also makes the demo catalogue (run under the build's emulator).
add_subdirectory(${CMAKE_SOURCE_DIR}/src/reader ${CMAKE_BINARY_DIR}/src/reader)
add_subdirectory(${CMAKE_SOURCE_DIR}/tools/catalogue_tool ${CMAKE_BINARY_DIR}/tools/catalogue_tool)
add_subdirectory(${CMAKE_SOURCE_DIR}/resources/windows ${CMAKE_BINARY_DIR}/resources/windows)
add_subdirectory(${CMAKE_SOURCE_DIR}/src/windows ${CMAKE_BINARY_DIR}/src/windows)
add_subdirectory(${CMAKE_SOURCE_DIR}/packaging/windows ${CMAKE_BINARY_DIR}/packaging/windows)
if(ORVANE_TESTS)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests/windows)
endif()
