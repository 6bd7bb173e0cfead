# A Debian package of everything `cmake --install` puts in place: both
# programs, the board simulators and mcusim, the firmware images, the alarm
# sound, the desktop entries and AppStream descriptions. Made with
# `cpack -G DEB` in a build folder.
set(CPACK_PACKAGE_NAME tuvela)
set(CPACK_PACKAGE_VENDOR tuvela)
set(CPACK_PACKAGE_CONTACT "tuvela developers <tuvela@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Temperature console and infrared-remote music player for serial-port boards")
set(CPACK_PACKAGE_DESCRIPTION
    "tempconsole shows a temperature-controller board's readings on a\n"
    "seven-segment display and a strip chart and sounds an alarm above the\n"
    "set-point, and remoteplayer plays media driven by an infrared remote.\n"
    "Includes board simulators and the boards' firmware.")
list(JOIN CPACK_PACKAGE_DESCRIPTION "" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Libraries the executables link come from dpkg-shlibdeps; the list below adds
# what is loaded at run time instead: Qt's media back end and image plugins,
# the GStreamer elements it plays through, and a font with the Chinese glyphs
# of the operator messages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(TUVELA_RUNTIME_DEPENDS
    qt6-image-formats-plugins
    gstreamer1.0-plugins-base
    gstreamer1.0-plugins-good
    gstreamer1.0-libav
    "fonts-wqy-microhei | fonts-noto-cjk")
list(JOIN TUVELA_RUNTIME_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The less common media types.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-ugly, gstreamer1.0-plugins-bad")
include(CPack)
