# The Debian package of the Linux build: `cpack -G DEB` in a configured and built build
# folder (scripts/package) makes slanter_VERSION_ARCH.deb of what `cmake --install` puts
# in place under /usr.

# The package's version is the program's own (Ver.3.00 Rev.2 is 3.0.2), read where the
# program keeps it, so that the two cannot part.
file(READ ${PROJECT_SOURCE_DIR}/shell/ProgramIdentity.h slanter_identity)
foreach(part Major Minor)
    string(REGEX MATCH "k${part}Version = ([0-9]+)" _ "${slanter_identity}")
    set(slanter_${part} ${CMAKE_MATCH_1})
endforeach()
string(REGEX MATCH "kRevision = ([0-9]+)" _ "${slanter_identity}")
set(SLANTER_PACKAGE_VERSION ${slanter_Major}.${slanter_Minor}.${CMAKE_MATCH_1})

# Debian asks for a copyright file and a changelog compressed as its tools compress them.
include(GNUInstallDirs)
set(slanter_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/slanter)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
            ${CMAKE_BINARY_DIR}/packaging/changelog
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog
    VERBATIM)
add_custom_target(slanter_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${slanter_doc_dir})
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${slanter_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME slanter)
set(CPACK_PACKAGE_VERSION ${SLANTER_PACKAGE_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_VENDOR "TAMRI Lab")
set(CPACK_PACKAGE_CONTACT "TAMRI Lab <slanter@tamri-lab.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn a picture into a seamless slanted wallpaper tile")
# CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Bit Map Slanter lays copies of a picture in rows or columns, slides each row
against the next and turns the whole to an angle at which the layout repeats
on an upright rectangle again. That rectangle, laid side by side as desktop
wallpaper, repeats without seams and shows the picture running diagonally.

The package holds the desktop program Slanter, which lists the patterns of a
picture, previews and converts them, and the batch program slanter-cli, which
lists the same patterns and writes the same tiles from the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link come from dpkg-shlibdeps; Qt's picture format plug-ins
# (WebP, TIFF) and its Japanese texts are loaded at run time, where it cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Folders as Debian's own packages have them, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
