# Installs the project into an empty prefix and checks the desktop
# integration there; with MODE=deb also builds the Debian package and checks
# that it holds exactly the files of that installation.
#   cmake -DMODE=install|deb -DBUILD=<build dir> -DWORK=<scratch dir> -DAPP_ID=...
#         -DPROGRAM=ON|OFF -DSIZE_BOUNDS=ON|OFF -P check_install.cmake
# SIZE_BOUNDS holds the package to its size: the stripped executable within
# 1 MiB, the Installed-Size within 1536 KiB.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}\n${out}")
    endif()
    set(run_output "${out}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK}/root/usr)
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})

set(expected
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/scalable/apps/${APP_ID}.svg
    share/man/man1/brelkot.1.gz
    share/doc/brelkot/copyright
    share/doc/brelkot/changelog.gz
    share/lintian/overrides/brelkot)
foreach(size 16 32 48 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
if(PROGRAM)
    list(APPEND expected bin/brelkot)
endif()
foreach(file IN LISTS expected)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

if(MODE STREQUAL "install")
    run(desktop-file-validate ${prefix}/share/applications/${APP_ID}.desktop)
    if(NOT run_output STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate:\n${run_output}")
    endif()
    run(appstreamcli validate --no-net --pedantic ${prefix}/share/metainfo/${APP_ID}.metainfo.xml)
    message(STATUS "${run_output}")
    return()
endif()

# MODE deb: the package carries the same files, below /usr.
run(cpack -G DEB --config ${BUILD}/CPackConfig.cmake -B ${WORK}/package)
file(GLOB debs ${WORK}/package/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()
run(dpkg-deb --field ${debs} Package Version)
message(STATUS "${run_output}")
if(NOT run_output MATCHES "Package: brelkot\nVersion: 1\\.01")
    message(FATAL_ERROR "unexpected control fields:\n${run_output}")
endif()

# What a bare system needs to start the program and lay it out as designed:
# the Qt libraries (the xcb platform plugin comes with libqt6gui6) and the fonts.
if(PROGRAM)
    run(dpkg-deb --field ${debs} Depends)
    message(STATUS "Depends: ${run_output}")
    foreach(package libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation2)
        if(NOT run_output MATCHES "(^|, )${package}( |,|\n|$)")
            message(FATAL_ERROR "Depends does not name ${package}: ${run_output}")
        endif()
    endforeach()
endif()

run(dpkg-deb -x ${debs} ${WORK}/unpacked)
# Smaller than the other calculators Debian has, for everyone who downloads it.
if(SIZE_BOUNDS)
    file(SIZE ${WORK}/unpacked/usr/bin/brelkot executable)
    run(dpkg-deb --field ${debs} Installed-Size)
    string(STRIP "${run_output}" installed_kib)
    message(STATUS "stripped executable ${executable} bytes, Installed-Size ${installed_kib} KiB")
    if(executable GREATER 1048576)
        message(FATAL_ERROR "the stripped executable is ${executable} bytes, over 1 MiB")
    endif()
    if(NOT installed_kib MATCHES "^[0-9]+$" OR installed_kib GREATER 1536)
        message(FATAL_ERROR "Installed-Size is ${installed_kib} KiB, over 1536 KiB")
    endif()
endif()
# The changelog's latest entry is the package's version.
run(gzip -dc ${WORK}/unpacked/usr/share/doc/brelkot/changelog.gz)
if(NOT run_output MATCHES "^brelkot \\(1\\.01\\) ")
    string(REGEX MATCH "^[^\n]*" top "${run_output}")
    message(FATAL_ERROR "the changelog's latest entry is not version 1.01: ${top}")
endif()
file(GLOB_RECURSE packaged RELATIVE ${WORK}/unpacked ${WORK}/unpacked/*)
file(GLOB_RECURSE installed RELATIVE ${WORK}/root ${WORK}/root/*)
list(SORT packaged)
list(SORT installed)
if(NOT packaged STREQUAL installed)
    message(FATAL_ERROR "package and installation differ:\npackage: ${packaged}\ninstalled: ${installed}")
endif()
