# The Debian package, made in the build folder by `cpack -G DEB` from what `cmake --install`
# lays down under /usr. The libraries the executable links come from dpkg-shlibdeps as Debian's
# own package names; the programs and plug-ins it only runs or loads are named here.
set(CPACK_PACKAGE_NAME hushmill)
set(CPACK_PACKAGE_VENDOR QUONDEL)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "remove silent stretches from audio files in batches")
set(CPACK_PACKAGE_DESCRIPTION
  "Hushmill removes the silent stretches from recordings (talks, lectures, interviews,\n"
  "podcasts) with FFmpeg's silenceremove filter: gather files and folders into its list,\n"
  "choose the silence threshold, the minimum silence length and a target folder, and\n"
  "convert them all at once. A headless command line serves scripts and servers.")
list(JOIN CPACK_PACKAGE_DESCRIPTION "" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_CONTACT "QUONDEL <support@quondel.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${HUSHMILL_VENDOR_HOST}/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ffmpeg")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, ca-certificates")

include(CPack)
