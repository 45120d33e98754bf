# The Debian package of kiv4, kiv4cli, kivdata, the sample network, the
# desktop entry and the icon: `cpack -G DEB` in the build directory. The
# libraries it needs are found by dpkg-shlibdeps; the copyright and the
# changelog are the ones Debian asks of every package (SOURCE_DATE_EPOCH, when
# set, dates the changelog).
include(GNUInstallDirs)
set(CPACK_PACKAGE_NAME "kiv")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Kiv")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "journey and fare calculator for the Tokyo-region railways")
set(CPACK_PACKAGE_DESCRIPTION
    "Kiv finds train routes between two stations of the Tokyo-region railway network\n"
    "with their departure and arrival times, changes and fares, and builds fare\n"
    "tables, required-time tables and station timetables. It comes as a desktop\n"
    "program (kiv4), a command line (kiv4cli) and a data compiler (kivdata), with\n"
    "a sample network.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_GENERATOR "DEB")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kiv developers <kiv@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The reports line up only in a Japanese font with two-cell full-width letters.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

# /usr/share/doc/kiv: the copyright and the changelog, compressed as Debian
# wants it (no name or time stamp in the gzip header).
set(KIV_PACKAGE_DOC ${CMAKE_BINARY_DIR}/package-doc)
file(MAKE_DIRECTORY ${KIV_PACKAGE_DOC})
string(TIMESTAMP KIV_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian-changelog.in ${KIV_PACKAGE_DOC}/changelog @ONLY)
add_custom_command(OUTPUT ${KIV_PACKAGE_DOC}/changelog.gz
                   COMMAND gzip -9 -n -c changelog > changelog.gz
                   WORKING_DIRECTORY ${KIV_PACKAGE_DOC}
                   DEPENDS ${KIV_PACKAGE_DOC}/changelog)
add_custom_target(kiv_package_doc ALL DEPENDS ${KIV_PACKAGE_DOC}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian-copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kiv RENAME copyright)
install(FILES ${KIV_PACKAGE_DOC}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kiv)

include(CPack)
