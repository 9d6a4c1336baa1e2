# Where `cmake --install` and the Debian package put things. The host library, the metafile helper
# and the packages are private to the designer, so they live in lib/velto rather than on the
# linker's path. The designer looks for packages in <exe dir>/../lib/velto/packages, and the host
# library looks for the helper beside itself; both hold for the build tree's bin/ as well.
include(GNUInstallDirs)
set(VELTO_INSTALL_PRIVATE_DIR lib/velto)
set(VELTO_INSTALL_PACKAGES_DIR ${VELTO_INSTALL_PRIVATE_DIR}/packages)
set(VELTO_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATAROOTDIR}/velto)
set(VELTO_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/velto-designer)
# Independent of the umask of whoever builds the package.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
