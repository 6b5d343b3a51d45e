# Installing and packaging.
#
# The programs and the language libraries they load from their own folder go
# together into <prefix>/lib/qb380/ (the program's folder), with links to the
# two programs in <prefix>/bin/. The programs find their folder through the
# link (the executable's real path), so eng.dll and chn.dll are found there;
# that folder is read-only for users, so each keeps myini.ini in
# ~/.config/qb380/ (storage/settingslocation.h).
#
# Then the desktop's parts: the menu entry, the icon in the hicolor theme
# (the PNG sizes desktops ask for and the SVG), the software centre's
# metainfo, the channel file's MIME type, and the manual pages of both
# programs, made from their --help by help2man. scripts/package turns it
# into a .deb with CPack.

set(QB_INSTALL_PROGRAM_DIR lib/qb380)
# The identifier software centres know the program by: a reverse domain
# name. The project has no domain of its own; example.org is reserved for
# exactly such names, until it has one.
set(QB_APP_ID "org.example.qb380" CACHE STRING "AppStream identifier (reverse domain name)")
# Where software centres fetch the screenshot from (docs/screenshot.png,
# published somewhere). Empty: the metainfo names no screenshot.
set(QB_SCREENSHOT_URL "" CACHE STRING "Web address of the screenshot for the metainfo")

install(TARGETS qb380 qb380-cli RUNTIME DESTINATION ${QB_INSTALL_PROGRAM_DIR})
install(TARGETS lang_eng lang_chn LIBRARY DESTINATION ${QB_INSTALL_PROGRAM_DIR})
foreach(program qb380 qb380-cli)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    message(STATUS \"Installing: \${link} -> ../${QB_INSTALL_PROGRAM_DIR}/${program}\")
    file(CREATE_LINK ../${QB_INSTALL_PROGRAM_DIR}/${program} \"\${link}\" SYMBOLIC)
  ")
endforeach()

set(desktop ${PROJECT_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop}/qb380.desktop DESTINATION share/applications)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${desktop}/hicolor/qb380-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME qb380.png)
endforeach()
install(FILES ${desktop}/qb380.svg DESTINATION share/icons/hicolor/scalable/apps)
# The channel file's type: file managers then open .r07 files with qb380
# (the desktop entry's MimeType=, dpkg's trigger updates the database).
install(FILES ${desktop}/qb380-mime.xml DESTINATION share/mime/packages RENAME qb380.xml)

if(QB_SCREENSHOT_URL)
  set(QB_METAINFO_SCREENSHOTS "  <screenshots>
    <screenshot type=\"default\">
      <caption>The channel grid with a few channels</caption>
      <image>${QB_SCREENSHOT_URL}</image>
    </screenshot>
  </screenshots>
")
else()
  set(QB_METAINFO_SCREENSHOTS "")
endif()
set(QB_METAINFO ${CMAKE_BINARY_DIR}/${QB_APP_ID}.metainfo.xml)
configure_file(${desktop}/qb380.metainfo.xml.in ${QB_METAINFO} @ONLY)
install(FILES ${QB_METAINFO} DESTINATION share/metainfo)

# The manual pages: help2man runs each built program for --help and
# --version (qb380 answers them before it needs a display). The help's line
# naming this machine's settings file is left out.
find_program(QB_HELP2MAN help2man)
if(QB_HELP2MAN)
  set(QB_MANPAGE_NAME_qb380 "program the QB-380 UHF handheld radio")
  set(QB_MANPAGE_NAME_qb380-cli "read and write the QB-380 radio from a shell")
  set(manpages)
  foreach(program qb380 qb380-cli)
    set(man ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${man}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${QB_HELP2MAN} --no-info --no-discard-stderr
        --name "${QB_MANPAGE_NAME_${program}}"
        --include ${PROJECT_SOURCE_DIR}/resources/man/${program}.h2m
        --output ${man} $<TARGET_FILE:${program}>
      COMMAND sed -i "/^Settings file of this run:/d" ${man}
      COMMAND gzip -9nf ${man}
      DEPENDS ${program} ${PROJECT_SOURCE_DIR}/resources/man/${program}.h2m
      COMMENT "Making the manual page of ${program}"
      VERBATIM)
    list(APPEND manpages ${man}.gz)
  endforeach()
  add_custom_target(qb380_manpages ALL DEPENDS ${manpages})
  install(FILES ${manpages} DESTINATION share/man/man1)
else()
  message(STATUS "help2man not found: no manual pages (scripts/setup installs it)")
endif()

# What Debian asks of every package: the copyright and the changelog.
set(doc ${CMAKE_BINARY_DIR}/doc)
file(MAKE_DIRECTORY ${doc})
configure_file(${desktop}/copyright ${doc}/copyright COPYONLY)
configure_file(${desktop}/changelog.in ${doc}/changelog @ONLY)
add_custom_command(OUTPUT ${doc}/changelog.gz
  COMMAND gzip -9nkf ${doc}/changelog
  DEPENDS ${doc}/changelog
  VERBATIM)
add_custom_target(qb380_changelog ALL DEPENDS ${doc}/changelog.gz)
install(FILES ${doc}/copyright ${doc}/changelog.gz DESTINATION share/doc/qb380)
# The user guide and the file formats travel with the program; the manual
# pages point to them.
install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.md ${PROJECT_SOURCE_DIR}/docs/file-formats.md
  ${PROJECT_SOURCE_DIR}/docs/screenshot.png ${PROJECT_SOURCE_DIR}/docs/screenshot-options.png
  DESTINATION share/doc/qb380)

# The Debian package (cpack -G DEB; scripts/package).
set(CPACK_PACKAGE_NAME qb380)
set(CPACK_PACKAGE_VENDOR "qb380 developers")
set(CPACK_PACKAGE_CONTACT "qb380 maintainers <maintainers@users.noreply.c-seed-ca032386.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for the QB-380 UHF handheld radio")
set(CPACK_PACKAGE_DESCRIPTION
  "qb380 reads the 199 memory channels and twenty function settings of the
QB-380 UHF handheld radio through its programming cable, edits them in a
channel grid, writes them back and keeps them in channel files. It lists
the serial ports, finds the one the radio answers on and explains what to
do when the system does not let you use the cable. qb380-cli does the same
from a shell, and a virtual radio lets you try both without hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows ask for Arial: Liberation Sans has its metrics, so frequencies
# fit their cells (DejaVu Sans, a fresh system's fallback, is wider). The
# Chinese interface needs a font with Chinese glyphs; either will do.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
# The libraries in lib/qb380 are loaded by the program, not linked against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
