# Installing Talvex as a desktop program, laid out as Debian lays out a
# program with private libraries (cmake --install build --prefix P, or the
# package that cpack -G DEB builds with P = /usr):
#
#   P/lib/talvex/talvex               the executable
#   P/lib/talvex/Devices/*.dll        the radio libraries, beside it as always
#   P/bin/talvex                      a link to it, for the menu and the shell
#   P/share/talvex/                   the shipped data set (ini file, Devices/,
#                                     Documents/, Logs/, message templates)
#   P/share/applications/, P/share/metainfo/, P/share/icons/hicolor/
#                                     the menu entry, AppStream data and icon
#
# The program finds its folder through /proc/self/exe, so the link in bin/
# leads it to lib/talvex/; seeing no data set there but one in
# ../../share/talvex, it works in the user's folder and fills it from there
# (src/data/TProgramDirectory.h). The lib/talvex and share/talvex names are
# fixed: the program knows the one from the other.

set(TALVEX_APP_ID org.example.talvex)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS talvex RUNTIME DESTINATION lib/talvex)
# The radio libraries the data set names; the test-only variants stay out.
foreach(library varosim hamlibradio)
  if(TARGET ${library})
    install(TARGETS ${library} LIBRARY DESTINATION lib/talvex/Devices)
  endif()
endforeach()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/dist/ DESTINATION share/talvex PATTERN .gitkeep EXCLUDE)
install(CODE [[
  file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
  file(CREATE_LINK ../lib/talvex/talvex "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/talvex" SYMBOLIC)
  message(STATUS "Installing: $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/talvex -> ../lib/talvex/talvex")
]])
install(FILES ${packaging}/${TALVEX_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${packaging}/${TALVEX_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${packaging}/${TALVEX_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${packaging}/${TALVEX_APP_ID}.png DESTINATION share/icons/hicolor/128x128/apps)

# cpack -G DEB (in the build folder): talvex_<version>_<arch>.deb. The
# libraries the program and the radio libraries link are found by
# dpkg-shlibdeps; Qt's platform plugins are loaded at run time, so they are
# named here.
set(CPACK_PACKAGE_NAME talvex)
set(CPACK_PACKAGE_VENDOR "The Talvex developers")
set(CPACK_PACKAGE_CONTACT "The Talvex developers <talvex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "soft panel and contact logger for radio amateurs")
set(CPACK_PACKAGE_DESCRIPTION "Talvex shows a transceiver's front panel, keeps a one-line logging grid in step
with the radio, sends six stored Morse messages on the function keys and logs
each contact with one key. Real radios are driven through Hamlib; a simulated
radio lets you try it without one.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libhamlib-utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://talvex.example.org/talvex")
include(CPack)
