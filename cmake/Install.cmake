# `cmake --install`: the program, its Travina library, the desktop entry, the AppStream metadata, the MIME type, the
# icons, the manual page, the copyright and changelog, and the help pages in the usual places under the prefix;
# `cpack -G DEB` packs the same tree into a Debian package.
install(TARGETS pellandra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS travina LIBRARY DESTINATION ${PELLANDRA_PRIVATE_LIBDIR} NAMELINK_SKIP)
install(FILES ${PELLANDRA_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/pellandra.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES desktop/${PELLANDRA_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page and the Debian changelog are installed compressed as Debian wants them: `gzip -9n`, the best
# compression and neither the file's name nor its time in the header, so that two builds give the same bytes.
find_program(PELLANDRA_GZIP gzip REQUIRED)
set(PELLANDRA_MANUAL_PAGE ${PROJECT_BINARY_DIR}/share/man/man1/pellandra.1.gz)
set(PELLANDRA_DEBIAN_CHANGELOG ${PROJECT_BINARY_DIR}/share/doc/pellandra/changelog.Debian.gz)
add_custom_command(OUTPUT ${PELLANDRA_MANUAL_PAGE}
    COMMAND ${PELLANDRA_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/man/pellandra.1 > ${PELLANDRA_MANUAL_PAGE}
    DEPENDS ${PROJECT_SOURCE_DIR}/man/pellandra.1 VERBATIM)
add_custom_command(OUTPUT ${PELLANDRA_DEBIAN_CHANGELOG}
    COMMAND ${PELLANDRA_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${PELLANDRA_DEBIAN_CHANGELOG}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(pellandra_compressed_docs ALL DEPENDS ${PELLANDRA_MANUAL_PAGE} ${PELLANDRA_DEBIAN_CHANGELOG})
install(FILES ${PELLANDRA_MANUAL_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian's place for both files is named after the package, whatever the prefix.
install(FILES packaging/copyright ${PELLANDRA_DEBIAN_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pellandra)
# The tags lintian is told to pass over, each with its reason.
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME pellandra)
foreach(size ${PELLANDRA_ICON_SIZES})
    set(folder ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size})
    install(FILES desktop/icons/pellandra-${size}.png DESTINATION ${folder}/apps RENAME pellandra.png)
    install(FILES desktop/icons/pellandra-${size}.png DESTINATION ${folder}/mimetypes
        RENAME application-x-pellandra.png)
endforeach()
foreach(file ${PELLANDRA_HELP_FILES})
    get_filename_component(folder ${file} DIRECTORY)
    install(FILES help/${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/pellandra/help/${folder})
endforeach()
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/pellandra/examples FILES_MATCHING PATTERN "*.plr")

set(CPACK_PACKAGE_NAME pellandra)
set(CPACK_PACKAGE_VENDOR "Pellandra")
set(CPACK_PACKAGE_CONTACT "Pellandra developers <developers@pellandra.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Loan amortization schedules for mortgages and personal loans")
# Debian shows the description as it is written: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Pellandra computes and presents loan amortization schedules: mortgages with
Canadian (semi-annual) or U.S. (monthly) compounding, personal loans, seven
payment frequencies, rate and payment changes and lump-sum prepayments on any
date. Each loan is kept in its own .plr document.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://pellandra.org)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt libraries come from shlibdeps; the platform plugins that draw the windows are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/travina)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hicolor-icon-theme, shared-mime-info, desktop-file-utils")
include(CPack)
