# Dependencies run one way: app -> ui -> catalogue and shape -> platform. Fails when a file of a
# lower layer includes a header of a higher one, or when an operation of the window is defined
# outside src/app.
# Run as: cmake -DSOURCE=<repository> -P layers_check.cmake

set(faults "")
function(check_layer folder pattern)
    file(GLOB_RECURSE files "${SOURCE}/src/${folder}/*.h" "${SOURCE}/src/${folder}/*.cpp")
    foreach(file IN LISTS files)
        file(STRINGS "${file}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*\"(${pattern})/")
        foreach(hit IN LISTS hits)
            list(APPEND faults "${file}: ${hit}")
        endforeach()
    endforeach()
    set(faults "${faults}" PARENT_SCOPE)
endfunction()

check_layer(ui "app")
check_layer(catalogue "app|ui")
check_layer(shape "app|ui|catalogue")
check_layer(platform "app|ui|catalogue|shape")

file(GLOB_RECURSE sources "${SOURCE}/src/*.cpp" "${SOURCE}/tools/*.cpp")
foreach(file IN LISTS sources)
    if(NOT file MATCHES "/src/app/")
        file(STRINGS "${file}" hits REGEX "ShapedForm::")
        foreach(hit IN LISTS hits)
            list(APPEND faults "${file}: ${hit}")
        endforeach()
    endif()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "Includes against the layers, or window operations outside src/app:\n${text}")
endif()
