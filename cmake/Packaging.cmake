# Debian packages by what people install, made with `cpack -G DEB` in a build
# folder (scripts/packages also checks them):
#   tempconsole    the console, its alarm sound, desktop entry, metainfo
#   remoteplayer   the player, its desktop entry, metainfo
#   tuvela-boards  the board simulators, mcusim and the board firmware
#   tuvela-tools   the seven-segment display workbench and renderer
# Each install() names its component; the libraries a package's programs link
# come from dpkg-shlibdeps on its own files, so only tuvela-boards depends on
# the simulator library. The lists below add what is loaded at run time
# instead: Qt's media back end plays through GStreamer elements, and the
# operator texts need a font with Chinese glyphs.
set(CPACK_PACKAGE_NAME tuvela)
set(CPACK_PACKAGE_VENDOR tuvela)
set(CPACK_PACKAGE_CONTACT "Tuvela maintainers <maintainers@tuvela.io>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# Packaged here, never uploaded to Debian (so no bug of Debian's to close):
# Debian revision 0, then our own count.
set(CPACK_DEBIAN_PACKAGE_RELEASE 0tuvela1)
set(CPACK_DEBIAN_PACKAGE_SOURCE tuvela)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(TUVELA_CJK_FONT "fonts-wqy-microhei | fonts-noto-cjk")
set(TUVELA_AUDIO_DEPENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")

# tuvela_package(<package> SECTION <section> SUMMARY <line>
#                DESCRIPTION <paragraph lines...> [DEPENDS <text>] [RECOMMENDS <text>])
# One package: its control fields, and the copyright file and changelog every
# Debian package carries in /usr/share/doc/<package>.
function(tuvela_package component)
  cmake_parse_arguments(P "" "SECTION;SUMMARY;DEPENDS;RECOMMENDS" "DESCRIPTION" ${ARGN})
  set(P_NAME ${component})
  string(TOUPPER ${component} C)
  list(JOIN P_DESCRIPTION "\n" body)
  set(CPACK_DEBIAN_${C}_PACKAGE_NAME ${P_NAME} PARENT_SCOPE)
  set(CPACK_DEBIAN_${C}_PACKAGE_SECTION ${P_SECTION} PARENT_SCOPE)
  set(CPACK_DEBIAN_${C}_DESCRIPTION "${P_SUMMARY}\n${body}" PARENT_SCOPE)
  set(CPACK_DEBIAN_${C}_PACKAGE_DEPENDS "${P_DEPENDS}" PARENT_SCOPE)
  set(CPACK_DEBIAN_${C}_PACKAGE_RECOMMENDS "${P_RECOMMENDS}" PARENT_SCOPE)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${TUVELA_CHANGELOG_GZ}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${P_NAME} COMPONENT ${component})
endfunction()

# The Debian changelog, compressed as Debian wants it (best compression, no
# name or time stamp in the header, so the same text gives the same bytes).
set(TUVELA_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_command(OUTPUT ${TUVELA_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${TUVELA_CHANGELOG_GZ}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the Debian changelog")
add_custom_target(debian_changelog ALL DEPENDS ${TUVELA_CHANGELOG_GZ})

tuvela_package(tempconsole SECTION electronics
  SUMMARY "temperature-controller console on a serial port"
  DESCRIPTION
    "tempconsole shows the readings of a temperature-controller board on a"
    "seven-segment display and a strip chart, keeps the alarm set-point and"
    "sounds a buzzer while the temperature is above it. Optionally it publishes"
    "its state and events on an MQTT broker and takes a supervisor's commands."
  DEPENDS "${TUVELA_AUDIO_DEPENDS}, ${TUVELA_CJK_FONT}, ca-certificates")
tuvela_package(remoteplayer SECTION sound
  SUMMARY "music player driven by an infrared remote on a serial port"
  DESCRIPTION
    "remoteplayer plays music, video and pictures from the local file systems,"
    "driven by the keys of an infrared remote whose receiver board sends key"
    "codes over a serial port."
  DEPENDS "${TUVELA_AUDIO_DEPENDS}, gstreamer1.0-libav, qt6-image-formats-plugins, ${TUVELA_CJK_FONT}"
  RECOMMENDS "gstreamer1.0-plugins-ugly, gstreamer1.0-plugins-bad")
tuvela_package(tuvela-boards SECTION electronics
  SUMMARY "simulators and firmware of the tempconsole and remoteplayer boards"
  DESCRIPTION
    "tempboard and irboard behave like the temperature-controller and"
    "infrared-receiver boards on a pseudo-terminal; mcusim runs the boards'"
    "firmware on a simulated ATmega328P. The firmware images are included for"
    "flashing real boards.")
tuvela_package(tuvela-tools SECTION graphics
  SUMMARY "seven-segment display workbench and renderer"
  DESCRIPTION
    "segworkbench sets the properties of the seven-segment display control"
    "live and saves them as a layout file; segrender draws the control into a"
    "PNG file without a window."
  DEPENDS "${TUVELA_CJK_FONT}")

# Lintian's word on the board firmware, whose reasons that file gives.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tuvela-boards.lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME tuvela-boards COMPONENT tuvela-boards)

set(CPACK_COMPONENTS_ALL tempconsole remoteplayer tuvela-boards tuvela-tools)
include(CPack)
