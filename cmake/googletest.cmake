# GoogleTest as GTest::gtest and GTest::gtest_main: the host's installed copy for native builds;
# a Windows build compiles Debian's sources (/usr/src/googletest) with its own compiler.
include(GoogleTest)

# Registers a GoogleTest program with ctest. Natively each of its tests is listed on its own;
# under wine the program runs whole as one ctest test, since starting a Windows program costs
# more than most tests, and it runs under the build's emulator whatever launcher was set.
function(orvane_discover_tests target)
    if(CMAKE_CROSSCOMPILING)
        set_target_properties(${target} PROPERTIES
            CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}")
        add_test(NAME ${target} COMMAND ${target})
    else()
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 ${ARGN})
    endif()
endfunction()

if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest REQUIRED)
    return()
endif()

set(ORVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, for cross builds")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ORVANE_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its sources are not ours: no warnings of our own on them.
foreach(library gtest gtest_main)
    set_target_properties(${library} PROPERTIES COMPILE_OPTIONS "")
    if(NOT TARGET GTest::${library})
        add_library(GTest::${library} ALIAS ${library})
    endif()
endforeach()
