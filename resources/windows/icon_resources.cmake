# Writes the resource-script fragment that carries an icon file's one image as the icon
# resource 30001 (type 3) and the icon group 1 (type 14) that points at it. A group entry is
# the file's directory entry with the image's resource id in place of its file offset.
#
#   orvane_write_icon_resources(<icon file> <output .rc fragment>)

# The little-endian unsigned number of `size` bytes at byte `offset` of a hex dump.
function(_orvane_ico_number hex offset size out)
    set(value "")
    math(EXPR last "${offset} + ${size} - 1")
    foreach(byte RANGE ${last} ${offset} -1)
        math(EXPR at "${byte} * 2")
        string(SUBSTRING "${hex}" ${at} 2 digits)
        string(APPEND value "${digits}")
    endforeach()
    math(EXPR value "0x${value}")
    set(${out} ${value} PARENT_SCOPE)
endfunction()

# `count` bytes from byte `offset` of a hex dump as resource-script words, 12 to a line.
function(_orvane_ico_words hex offset count out)
    set(lines "")
    set(line "")
    set(in_line 0)
    math(EXPR last "${offset} + ${count} - 2")
    foreach(byte RANGE ${offset} ${last} 2)
        math(EXPR at "${byte} * 2")
        string(SUBSTRING "${hex}" ${at} 4 pair)
        string(SUBSTRING "${pair}" 0 2 low)
        string(SUBSTRING "${pair}" 2 2 high)
        string(APPEND line " 0x${high}${low},")
        math(EXPR in_line "${in_line} + 1")
        if(in_line EQUAL 12)
            string(APPEND lines "   ${line}\n")
            set(line "")
            set(in_line 0)
        endif()
    endforeach()
    if(NOT line STREQUAL "")
        string(APPEND lines "   ${line}\n")
    endif()
    # The last word takes no comma.
    string(REGEX REPLACE ",\n$" "\n" lines "${lines}")
    set(${out} "${lines}" PARENT_SCOPE)
endfunction()

function(orvane_write_icon_resources icon output)
    file(READ "${icon}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR file_size "${digits} / 2")
    if(file_size LESS 22)
        message(FATAL_ERROR "${icon}: too short for an icon file (${file_size} bytes)")
    endif()
    _orvane_ico_number("${hex}" 0 2 reserved)
    _orvane_ico_number("${hex}" 2 2 type)
    _orvane_ico_number("${hex}" 4 2 count)
    if(NOT reserved EQUAL 0 OR NOT type EQUAL 1 OR NOT count EQUAL 1)
        message(FATAL_ERROR "${icon}: not an icon file with exactly one image")
    endif()

    _orvane_ico_number("${hex}" 6 1 width)
    _orvane_ico_number("${hex}" 7 1 height)
    _orvane_ico_number("${hex}" 8 1 colours)
    _orvane_ico_number("${hex}" 10 2 planes)
    _orvane_ico_number("${hex}" 12 2 bit_count)
    _orvane_ico_number("${hex}" 14 4 image_size)
    _orvane_ico_number("${hex}" 18 4 image_offset)
    math(EXPR image_end "${image_offset} + ${image_size}")
    math(EXPR odd "${image_size} % 2")
    if(image_size EQUAL 0 OR image_end GREATER file_size OR odd)
        message(FATAL_ERROR "${icon}: image of ${image_size} bytes at ${image_offset} does not fit the file")
    endif()
    # Some writers leave planes and depth zero in the directory; the image's own header has them.
    if(planes EQUAL 0)
        math(EXPR at "${image_offset} + 12")
        _orvane_ico_number("${hex}" ${at} 2 planes)
    endif()
    if(bit_count EQUAL 0)
        math(EXPR at "${image_offset} + 14")
        _orvane_ico_number("${hex}" ${at} 2 bit_count)
    endif()

    math(EXPR size_low "${image_size} % 65536" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR size_high "${image_size} / 65536" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR width_height "${width} + ${height} * 256" OUTPUT_FORMAT HEXADECIMAL)
    _orvane_ico_words("${hex}" ${image_offset} ${image_size} image_words)

    file(WRITE "${output}.tmp"
"// Made by the build from ${icon}; do not edit.

// The icon's one image, as it is stored in the icon file.
30001 3
BEGIN
${image_words}END

// Icon group 1: reserved, type 1 (icon), one entry; then width and height, colour count,
// planes, bits per pixel, image size (two words) and the image's resource id.
1 14
BEGIN
    0, 1, 1,
    ${width_height}, ${colours}, ${planes}, ${bit_count}, ${size_low}, ${size_high}, 30001
END
")
    # Rewritten only when it changes, so an unchanged icon rebuilds nothing.
    file(COPY_FILE "${output}.tmp" "${output}" ONLY_IF_DIFFERENT)
    file(REMOVE "${output}.tmp")
endfunction()
