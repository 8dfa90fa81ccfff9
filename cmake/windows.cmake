# The Windows program, its resources, its packages and its tests: parts of a Windows build only.
if(NOT WIN32)
    return()
endif()

add_subdirectory(${CMAKE_SOURCE_DIR}/resources/windows ${CMAKE_BINARY_DIR}/resources/windows)
add_subdirectory(${CMAKE_SOURCE_DIR}/src/windows ${CMAKE_BINARY_DIR}/src/windows)
# The packages hold the catalogue reader, which builds for Windows once it no longer needs
# libmdb.
if(TARGET orvane-read-catalogue)
    add_subdirectory(${CMAKE_SOURCE_DIR}/packaging/windows ${CMAKE_BINARY_DIR}/packaging/windows)
endif()
if(ORVANE_TESTS)
    add_subdirectory(${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR}/tests/windows)
endif()
