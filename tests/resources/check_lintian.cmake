# Runs lintian on the Debian package that the desktop_deb test built; any
# error or warning fails.
#   cmake -DPACKAGE_DIR=<folder with the .deb> -P check_lintian.cmake
file(GLOB debs ${PACKAGE_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()
find_program(LINTIAN lintian REQUIRED)
execute_process(COMMAND ${LINTIAN} --fail-on error,warning ${debs}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
message(STATUS "lintian ${debs}:\n${out}")
if(NOT result EQUAL 0 OR out MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian (${result}):\n${out}${err}")
endif()
