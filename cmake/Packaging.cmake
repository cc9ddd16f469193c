# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder (or `scripts/dev.sh package`) makes
# tunecrate_<version>_<arch>.deb from the install rules, with its dependencies found by
# dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tunecrate)
set(CPACK_PACKAGE_VENDOR Vornhollow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Vornhollow <tunecrate@vornhollow.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# UDisks2 ejects the stick; without it only root can unmount it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS udisks2)
# The completion of tunecrate-cli needs bash-completion's helpers.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS bash-completion)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "fill a music stick with songs not heard yet
Tunecrate fills a USB music stick, or any player that shows up as a drive,
with songs drawn at random from a music collection, and remembers which songs
went over, so that every fill brings music not heard yet.
.
The package holds the desktop program (Qt 6) and tunecrate-cli for the
terminal, which can also fill a stick whenever it is plugged in (a systemd
user unit) and eject it when done.")
include(CPack)
