# Dependencies run one way: linux and windows (the two front ends, neither using the other) ->
# app -> catalogue and shape -> system, with the reading
# helper (reader) over catalogue and system, and the Jet file format (jet) below catalogue. Fails
# when a file of a lower layer includes a header of a higher one; when a file of the core includes
# a Qt header or windows.h (outside the Win32 implementation of the system layer); or when an
# operation of the window, or the search, is defined other than once in src/app.
# Run as: cmake -DSOURCE=<repository> -P layers_check.cmake

set(faults "")
function(check_includes folder pattern)
    file(GLOB_RECURSE files "${SOURCE}/src/${folder}/*.h" "${SOURCE}/src/${folder}/*.cpp")
    foreach(file IN LISTS files)
        file(STRINGS "${file}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*${pattern}")
        foreach(hit IN LISTS hits)
            list(APPEND faults "${file}: ${hit}")
        endforeach()
    endforeach()
    set(faults "${faults}" PARENT_SCOPE)
endfunction()

check_includes(linux "\"windows/")
check_includes(windows "\"(linux|reader)/")
check_includes(app "\"(linux|windows|reader)/")
check_includes(reader "\"(app|linux|windows|shape)/")
check_includes(catalogue "\"(app|linux|windows|reader|shape)/")
check_includes(jet "\"(app|linux|windows|reader|shape|catalogue)/")
check_includes(shape "\"(app|linux|windows|reader|catalogue|jet)/")
check_includes(system "\"(app|linux|windows|reader|catalogue|jet|shape)/")

# The core is standard C++: Qt belongs to the Linux front end, windows.h to the Win32 parts.
foreach(folder app catalogue jet reader shape system)
    check_includes(${folder} "<Qt?[A-Z]")
endforeach()
foreach(folder app catalogue jet shape)
    check_includes(${folder} "<[Ww]indows\\.h>")
endforeach()
file(GLOB_RECURSE system_files "${SOURCE}/src/system/*.h" "${SOURCE}/src/system/*.cpp")
foreach(file IN LISTS system_files)
    if(NOT file MATCHES "/src/system/windows/")
        file(STRINGS "${file}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*<[Ww]indows\\.h>")
        foreach(hit IN LISTS hits)
            list(APPEND faults "${file}: ${hit}")
        endforeach()
    endif()
endforeach()

file(GLOB_RECURSE sources "${SOURCE}/src/*.cpp" "${SOURCE}/tools/*.cpp")
foreach(file IN LISTS sources)
    if(NOT file MATCHES "/src/app/")
        file(STRINGS "${file}" hits REGEX "ShapedForm::|recherche\\(\\) {")
        foreach(hit IN LISTS hits)
            list(APPEND faults "${file}: ${hit}")
        endforeach()
    endif()
endforeach()

# Each operation of the window, and the search, is written once.
file(GLOB app_sources "${SOURCE}/src/app/*.cpp")
set(definitions "")
foreach(file IN LISTS app_sources)
    file(STRINGS "${file}" lines REGEX "^[^ /].*(ShapedForm::[A-Za-z0-9_]+|recherche)\\(")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "(ShapedForm::[A-Za-z0-9_]+|recherche)\\(" name "${line}")
        list(APPEND definitions "${name}")
    endforeach()
endforeach()
foreach(operation lecture MakeRegion OutlineX OutlineY HoleX HoleY Form_Load Form_MouseDown
                  Form_MouseMove Form_Unload Picture4_MouseDown Picture5_MouseDown Text1_KeyDown)
    set(found ${definitions})
    list(FILTER found INCLUDE REGEX "^ShapedForm::${operation}\\($")
    list(LENGTH found count)
    if(NOT count EQUAL 1)
        list(APPEND faults "ShapedForm::${operation} is defined ${count} times in src/app")
    endif()
endforeach()
set(found ${definitions})
list(FILTER found INCLUDE REGEX "^recherche\\($")
list(LENGTH found count)
if(NOT count EQUAL 1)
    list(APPEND faults "Module1::recherche is defined ${count} times in src/app")
endif()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "Includes against the layers, Qt or windows.h in the core, or window "
                        "operations not written once in src/app:\n${text}")
endif()
