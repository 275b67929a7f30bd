# Compiles the Windows resource script with the MinGW resource compiler and
# reads the result back: the version block and the icon must be in it.
#   cmake -DWINDRES=... -DCPP=... -DRC=brelkot.rc -DWORK=<dir> -P check_windows_rc.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(windres ${WINDRES} --preprocessor=${CPP} --preprocessor-arg=-xc
    --preprocessor-arg=-DRC_INVOKED)

foreach(format coff res)
    execute_process(COMMAND ${windres} -i ${RC} -O ${format} -o ${WORK}/brelkot.${format}
        RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "windres -O ${format} failed (${result}):\n${errors}")
    endif()
endforeach()

execute_process(COMMAND ${windres} -i ${WORK}/brelkot.res -O rc
    OUTPUT_VARIABLE decompiled RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "windres could not read back its own output")
endif()

foreach(expected
        "FILEVERSION 1, 1, 0, 0"
        "PRODUCTVERSION 1, 1, 0, 0"
        "VALUE \"ProductName\", \"brelkot\""
        "VALUE \"FileVersion\", \"1.01\""
        "VALUE \"ProductVersion\", \"1.01\""
        "FILETYPE 0x1"
        "RT_GROUP_ICON")
    string(FIND "${decompiled}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "'${expected}' missing from the compiled resources:\n${decompiled}")
    endif()
endforeach()

# Seven icon images in the one icon group.
string(REGEX MATCHALL "/\\* RT_ICON \\*/" images "${decompiled}")
list(LENGTH images count)
if(NOT count EQUAL 7)
    message(FATAL_ERROR "expected 7 icon images, found ${count}:\n${decompiled}")
endif()
