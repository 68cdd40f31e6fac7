# The Debian package, built by `cpack -G DEB` in a Release build of the program alone
# (packaging/build-deb.sh does all of it): the program, its desktop entry, icons and AppStream
# metadata (data/), the manual page, and the copyright and changelog Debian asks for.
# Dependencies come from the program's libraries through dpkg-shlibdeps (package dpkg-dev).

set(QOR_MAINTAINER "The QOR developers <maintainers@users.noreply.c-seed-86c7cf8b.example>")
set(QOR_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/qor)

# Installed gzipped with no name or time stamp inside (gzip -n), so the package is reproducible.
find_program(QOR_GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/data/qor.1 ${PROJECT_BINARY_DIR}/doc/qor.1 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${PROJECT_BINARY_DIR}/doc/changelog @ONLY)
add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/doc/qor.1.gz ${PROJECT_BINARY_DIR}/doc/changelog.gz
    COMMAND ${QOR_GZIP} -9nkf qor.1 changelog
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/doc
    DEPENDS ${PROJECT_BINARY_DIR}/doc/qor.1 ${PROJECT_BINARY_DIR}/doc/changelog
    VERBATIM)
add_custom_target(qor_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/doc/qor.1.gz ${PROJECT_BINARY_DIR}/doc/changelog.gz)

install(FILES ${PROJECT_BINARY_DIR}/doc/qor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${QOR_DOCDIR})
# A package without a Debian revision is native: its changelog is changelog.gz.
install(FILES ${PROJECT_BINARY_DIR}/doc/changelog.gz DESTINATION ${QOR_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QOR_MAINTAINER})
set(CPACK_PACKAGE_VENDOR "The QOR developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plot a heating curve and tune its two parameters")
set(CPACK_PACKAGE_DESCRIPTION
"QOR shows the heating curve of a boiler control: the target circuit
temperature for every whole outdoor temperature from -40 to 20 degrees,
computed from a base and a slope. Two pairs of buttons lower and raise them
one step at a time, and the chart follows at once.

The chart zooms and pans with the mouse, shows the exact values under the
pointer, and copies the curve as a table and a picture to the clipboard.
Everything works from the keyboard as well.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)   # qor_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)   # the fonts the window is designed in
# qt6-wayland: to run on a Wayland desktop natively; qt6-translations-l10n: Qt's own texts (its
# buttons and menus) in the user's language
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
