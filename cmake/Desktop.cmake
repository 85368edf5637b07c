# The files that make Pellandra a desktop program, laid out in the build tree as they are installed, so that the
# program in build/app finds its help in build/share as the installed one finds it in <prefix>/share.
include(GNUInstallDirs)

set(PELLANDRA_ICON_SIZES 16 32 48 64 128 256)
# Travina is the program's own library: it goes into a folder of its own, out of the linker's way. On a multiarch
# system (Debian and its derivatives) that folder is under the architecture's library folder, where such a system
# keeps private libraries; CPack's Debian generator then adds no `ldconfig` calls to the package, which a library
# outside the linker's search path has no use for.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT CMAKE_INSTALL_LIBDIR MATCHES "/${CMAKE_LIBRARY_ARCHITECTURE}$")
    set(PELLANDRA_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/${CMAKE_LIBRARY_ARCHITECTURE}/pellandra)
else()
    set(PELLANDRA_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/pellandra)
endif()

# The program's AppStream identifier; its metadata launches the desktop entry pellandra.desktop, the name the
# program's own registration writes too.
set(PELLANDRA_APPSTREAM_ID org.pellandra.Pellandra)

set(PELLANDRA_DESKTOP_ENTRY ${PROJECT_BINARY_DIR}/share/applications/pellandra.desktop)
configure_file(${PROJECT_SOURCE_DIR}/desktop/pellandra.desktop.in ${PELLANDRA_DESKTOP_ENTRY} @ONLY)

file(GLOB_RECURSE PELLANDRA_HELP_FILES CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/help
    ${PROJECT_SOURCE_DIR}/help/*.html ${PROJECT_SOURCE_DIR}/help/*.css ${PROJECT_SOURCE_DIR}/help/*.png)
foreach(file ${PELLANDRA_HELP_FILES})
    configure_file(${PROJECT_SOURCE_DIR}/help/${file} ${PROJECT_BINARY_DIR}/share/pellandra/help/${file} COPYONLY)
endforeach()
