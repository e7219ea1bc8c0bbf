# Run by CPack between installing into its staging directory and building the
# Debian package (CPACK_PRE_BUILD_SCRIPTS): Debian puts the programs of its
# games section in /usr/games, not /usr/bin. Installs without the package keep
# them in bin/, which is on every PATH.
set(staged ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
if(NOT IS_DIRECTORY ${staged}/bin)
    message(FATAL_ERROR "no programs staged in ${staged}/bin")
endif()
file(RENAME ${staged}/bin ${staged}/games)
