# The Debian package (cpack -G DEB, or scripts/package.sh): the programs in
# /usr/lib/corvelle with links in /usr/bin, menu entries, icons, AppStream metadata and
# man pages; the dependencies come from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvelle)
set(CPACK_PACKAGE_VENDOR Corvelle)
set(CPACK_PACKAGE_CONTACT "Corvelle <dev@corvelle.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The 3D view is a plugin loaded by path: its QML modules are no shared library
# dependency, so they are named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml6-module-quick3d, qml6-module-quick3d-helpers, qml6-module-qtquick, qml6-module-qtquick-window, qml6-module-qtqml-workerscript, fonts-urw-base35")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "garden shed design wizard and its drawing host")
# The rest of the description: CPack indents each line and marks an empty one as a
# paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvelle walks a user through the design of a garden shed (size, floor,
studs, walls, door, ramp, roof and shading) and hands the design to its
drawing host, which frames every member, lists the materials with their
costs and a cut list, draws the plans and shows the shed in 3D.

The host also builds a shed from the command line (corvelle-host --build)
and exports it as glTF, OBJ, IFC4, CSV and PDF.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://corvelle.invalid/")
# Permissions as Debian has them (0755 folders, 0644 files, 0755 programs).
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The copyright file and the changelog a Debian package carries.
set(_doc "${CMAKE_BINARY_DIR}/package-doc")
file(MAKE_DIRECTORY "${_doc}")
file(CONFIGURE OUTPUT "${_doc}/copyright" @ONLY CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Corvelle

Files: *
Copyright: 2026 Corvelle
License: proprietary
 All rights reserved.
")
# The day only (or SOURCE_DATE_EPOCH's), so a new configure does not remake the package.
string(TIMESTAMP _date "%a, %d %b %Y 00:00:00 +0000" UTC)
file(CONFIGURE OUTPUT "${_doc}/changelog" @ONLY CONTENT
"corvelle (${PROJECT_VERSION}) unstable; urgency=medium

  * Release ${PROJECT_VERSION}.

 -- ${CPACK_PACKAGE_CONTACT}  ${_date}
")
add_custom_command(OUTPUT "${_doc}/changelog.gz"
    COMMAND gzip -9nkf changelog
    WORKING_DIRECTORY "${_doc}" DEPENDS "${_doc}/changelog" VERBATIM)
add_custom_target(package_doc ALL DEPENDS "${_doc}/changelog.gz")
install(FILES "${_doc}/copyright" "${_doc}/changelog.gz" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/corvelle")
# Installed with DESTDIR, so the install rules see the real prefix (/usr), as the
# program folder's rule needs (CorvelleLayout.cmake).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
include(CPack)
