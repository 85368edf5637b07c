# `cmake --install`: the program, its Travina library, the desktop entry, the MIME type, the icons and the help pages
# in the usual places under the prefix; `cpack -G DEB` packs the same tree into a Debian package.
install(TARGETS pellandra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS travina LIBRARY DESTINATION ${PELLANDRA_PRIVATE_LIBDIR} NAMELINK_SKIP)
install(FILES ${PELLANDRA_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/pellandra.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
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
set(CPACK_PACKAGE_CONTACT "Pellandra developers <pellandra@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Loan amortization schedules for mortgages and personal loans")
set(CPACK_PACKAGE_DESCRIPTION
    "Pellandra computes and presents loan amortization schedules: mortgages with Canadian (semi-annual) or U.S.
(monthly) compounding, personal loans, seven payment frequencies, rate and payment changes and lump-sum
prepayments on any date. Each loan is kept in its own .plr document.")
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
