# Installing the Linux app the way desktops look for it: the executable, a
# desktop entry, and the icon in the hicolor theme at every usual size
# (rendered from its SVG at build time), plus a Debian package of that tree
# made by CPack (`cpack --config BUILD/CPackConfig.cmake`).
include(GNUInstallDirs)

install(TARGETS pellimore-clip RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT app)
# The entry names the installed executable by its full path, which KWin
# matches to lend the program its fake-input protocol (for the paste
# keystroke). The path is known only when installing: a package installs
# under /usr, `cmake --install` under its prefix.
install(CODE "
  set(PELLIMORE_INSTALLED_EXECUTABLE \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/pellimore-clip\")
  configure_file(\"${PROJECT_SOURCE_DIR}/resources/linux/pellimore-clip.desktop.in\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/pellimore-clip.desktop\"
    @ONLY)" COMPONENT app)

set(pellimore_icon_svg ${PROJECT_SOURCE_DIR}/resources/linux/pellimore-clip.svg)
set(pellimore_icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${pellimore_icon_svg} DESTINATION ${pellimore_icon_dir}/scalable/apps
  COMPONENT app)

find_program(PELLIMORE_RSVG_CONVERT rsvg-convert)
if(PELLIMORE_RSVG_CONVERT)
  set(pellimore_icon_pngs)
  foreach(size 16 22 24 32 48 64 128 256 512)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/pellimore-clip.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${PELLIMORE_RSVG_CONVERT} --width ${size} --height ${size} --format png
              --output ${png} ${pellimore_icon_svg}
      DEPENDS ${pellimore_icon_svg}
      VERBATIM)
    list(APPEND pellimore_icon_pngs ${png})
    install(FILES ${png} DESTINATION ${pellimore_icon_dir}/${size}x${size}/apps COMPONENT app)
  endforeach()
  add_custom_target(pellimore_icons ALL DEPENDS ${pellimore_icon_pngs})
else()
  message(WARNING "rsvg-convert is missing (Debian: librsvg2-bin): only the scalable icon "
    "is installed")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pellimore-clip)
set(CPACK_PACKAGE_VENDOR "Pellimore")
set(CPACK_PACKAGE_CONTACT "Pellimore <support@${PELLIMORE_WEB_DOMAIN}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Clipboard history for X11 and Wayland desktops")
set(CPACK_PACKAGE_DESCRIPTION "Pellimore Clip keeps the last 200 things you copy (text, \
rich text, images and file lists) plus everything you pin, and pastes them back from a \
small popup opened with Shift+Super+V.")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
# Only the app's own files, whatever a fetched library would install too.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};app;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PELLIMORE_WEBSITE}")
# The libraries come from what the binary links (dpkg-shlibdeps, from
# dpkg-dev); Qt's TIFF reader and its Wayland platform are plugins, loaded
# by name, that no link shows.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, qt6-wayland")
include(CPack)
