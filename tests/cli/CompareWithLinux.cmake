# Runs the Linux slanter-cli and the Windows one (through wine) on the same words and
# fails on every difference in standard output, standard error, exit code or written
# file: `patterns --exact` for several sizes in both arrangements and orders, `info` on
# every file of the BMP suite and a conversion of its picture, and `convert` at every
# depth, plain and smoothed. Files of the suite that our own reader refuses go to the BMP
# decoder both platforms build, and must agree as well; so must the TGA, XBM, XPM and WBMP
# files of the decoder tests (PICTURES), whole and cut short. PNG files are compared by
# what they hold (PYTHON runs png_content.py): the Linux program compresses on libdeflate,
# the Windows one on zlib.
#   cmake -DLINUX_CLI=... -DWINDOWS_CLI=... -DEMULATOR=a|b|c -DSUITE=... -DPICTURES=...
#         -DPYTHON=... -DWORK=... -P this
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" emulator "${EMULATOR}")
if(NOT EXISTS "${LINUX_CLI}")
    message(FATAL_ERROR "no Linux slanter-cli at ${LINUX_CLI}: run scripts/build release")
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/linux" "${WORK}/windows")
set(runs 0)
set(differences 0)
set(platform_decoded 0)

# Runs both programs; OUTPUT_NAME in the words stands for a file in each one's folder.
# Outputs are compared as files, byte for byte (a line end is two bytes on Windows).
function(compare label)
    foreach(side linux windows)
        list(TRANSFORM ARGN REPLACE "OUTPUT_NAME" "${WORK}/${side}/${label}.bmp" OUTPUT_VARIABLE words)
        list(TRANSFORM words REPLACE "OUTPUT_PNG" "${WORK}/${side}/${label}.png")
        if(side STREQUAL linux)
            set(program "${LINUX_CLI}")
        else()
            set(program ${emulator} "${WINDOWS_CLI}")
        endif()
        execute_process(COMMAND ${program} ${words} RESULT_VARIABLE code_${side}
                        OUTPUT_FILE "${WORK}/${side}/${label}.out"
                        ERROR_FILE "${WORK}/${side}/${label}.err")
    endforeach()
    set(problems "")
    if(NOT code_linux STREQUAL code_windows)
        string(APPEND problems " exit code ${code_linux} against ${code_windows};")
    endif()
    foreach(kind out err bmp png)
        set(linux_file "${WORK}/linux/${label}.${kind}")
        set(windows_file "${WORK}/windows/${label}.${kind}")
        if(EXISTS "${linux_file}" OR EXISTS "${windows_file}")
            if(NOT EXISTS "${linux_file}" OR NOT EXISTS "${windows_file}")
                string(APPEND problems " only one wrote a .${kind};")
                continue()
            endif()
            if(kind STREQUAL png)
                foreach(png_side linux windows)
                    execute_process(COMMAND "${PYTHON}" "${CMAKE_CURRENT_LIST_DIR}/png_content.py"
                                            "${${png_side}_file}"
                                    OUTPUT_VARIABLE ${png_side}_sum ERROR_VARIABLE ${png_side}_sum)
                endforeach()
            else()
                file(SHA256 "${linux_file}" linux_sum)
                file(SHA256 "${windows_file}" windows_sum)
            endif()
            if(NOT linux_sum STREQUAL windows_sum)
                string(APPEND problems " the .${kind} files differ;")
            endif()
        endif()
    endforeach()
    math(EXPR count "${runs} + 1")
    set(runs ${count} PARENT_SCOPE)
    if(problems)
        message("${label}:${problems}")
        math(EXPR count "${differences} + 1")
        set(differences ${count} PARENT_SCOPE)
    endif()
endfunction()

foreach(size "1 1" "2 3" "37 23" "127 64" "640 480" "1024 768" "3000 2000" "1 9999")
    string(REPLACE " " ";" sides "${size}")
    string(REPLACE " " "x" name "${size}")
    compare(patterns-${name}-rows patterns ${sides} --exact)
    compare(patterns-${name}-columns patterns ${sides} --exact --vertical)
    compare(patterns-${name}-rows-area patterns ${sides} --exact --sort=area)
    compare(patterns-${name}-columns-area patterns ${sides} --exact --vertical --sort=area)
endforeach()

file(GLOB suite RELATIVE "${SUITE}" "${SUITE}/b/*.bmp" "${SUITE}/g/*.bmp" "${SUITE}/q/*.bmp")
list(SORT suite)
# The picture of every file the reader takes goes into a conversion, so that the pixels
# read, and not only the headers, must agree.
file(STRINGS "${SUITE}/../bmpsuite-verdicts.txt" verdicts REGEX "^[bgq]/")
foreach(file IN LISTS suite)
    string(REPLACE "/" "-" name "${file}")
    if(NOT "${file}\tok" IN_LIST verdicts)
        math(EXPR platform_decoded "${platform_decoded} + 1")
    endif()
    compare(info-${name} info "${SUITE}/${file}")
    compare(convert-${name} convert "${SUITE}/${file}" OUTPUT_NAME --pattern 0 --sort=area)
endforeach()
# The formats both platforms read with our own readers, in the files Pillow and ImageMagick
# wrote for the decoder tests, whole and cut short.
file(GLOB pictures "${PICTURES}/*.tga" "${PICTURES}/*.xbm" "${PICTURES}/*.xpm"
     "${PICTURES}/*.wbmp")
list(SORT pictures)
list(LENGTH pictures picture_count)
if(picture_count LESS 15)
    message(FATAL_ERROR "only ${picture_count} TGA, XBM, XPM and WBMP files in ${PICTURES}")
endif()
foreach(file IN LISTS pictures)
    get_filename_component(name "${file}" NAME)
    compare(info-${name} info "${file}")
    compare(convert-${name} convert "${file}" OUTPUT_NAME --pattern 0 --sort=area)
    # A WBMP file cut short is no longer known for one: each platform's own words for a
    # file of no known format.
    if(NOT name MATCHES "\\.wbmp$")
        file(SIZE "${file}" bytes)
        math(EXPR half "${bytes} / 2")
        execute_process(COMMAND head -c ${half} "${file}" OUTPUT_FILE "${WORK}/cut-${name}")
        compare(info-cut-${name} info "${WORK}/cut-${name}")
    endif()
endforeach()
# What a picture keeps for a PNG result (transparency, 16 bits, its profile) comes out alike.
foreach(name transparent.png indexed-trns.png deep.png profiled.png deep-grey.tif)
    compare(info-kept-${name} info "${SUITE}/../kept/${name}")
    compare(convert-kept-${name} convert "${SUITE}/../kept/${name}" OUTPUT_PNG --pattern 1)
    compare(convert-kept-${name}-smooth convert "${SUITE}/../kept/${name}" OUTPUT_PNG --pattern 1
            --smooth)
endforeach()
compare(info-missing info "${SUITE}/no-such-file.bmp")
compare(patterns-of-a-file patterns "${SUITE}/g/pal8.bmp" --exact --vertical)

# One picture of each depth; the smallest tiles, so that wine's start-up is most of the
# time spent.
foreach(depth pal1 pal4 pal8 rgb16 rgb24)
    foreach(pattern 0 1)
        set(words convert "${SUITE}/g/${depth}.bmp" OUTPUT_NAME --pattern ${pattern} --sort=area)
        compare(convert-${depth}-${pattern} ${words})
        compare(convert-${depth}-${pattern}-smooth ${words} --smooth)
        compare(convert-${depth}-${pattern}-columns-left ${words} --vertical --left --smooth)
    endforeach()
endforeach()

message("${runs} runs compared, ${differences} differ; ${platform_decoded} files went to the "
        "decoder beyond the reader")
if(NOT differences EQUAL 0)
    message(FATAL_ERROR "the Windows slanter-cli differs from the Linux one (outputs in ${WORK})")
endif()
