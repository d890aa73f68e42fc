# Desktop integration and the Debian package: the program, its menu entry,
# the army-file type, the icons, the man page, the AppStream metainfo and the
# bash completion. `cpack -G DEB` in the build folder makes the package.

include(GNUInstallDirs)

set(OVRA_APP_ID "org.eldvarrow.Ovra")
# Where the project's files are published: the metainfo's screenshot is
# docs/window.png under it. Set it to the real address when publishing.
set(OVRA_WEB_URL "https://ovra.example.org" CACHE STRING "Where docs/window.png is published, for the metainfo")
set(OVRA_RELEASE_DATE "2026-12-06") # of version ${PROJECT_VERSION}

set(desktop_dir "${CMAKE_BINARY_DIR}/desktop")
configure_file("${PROJECT_SOURCE_DIR}/resources/ovra.metainfo.xml.in"
               "${desktop_dir}/${OVRA_APP_ID}.metainfo.xml" @ONLY)

# PNG icons from the SVG, for desktops and caches that want bitmaps.
set(OVRA_ICON_SIZES 16 32 48 64 128 256)
find_program(RSVG_CONVERT rsvg-convert)
set(icon_files)
if(RSVG_CONVERT)
  foreach(size IN LISTS OVRA_ICON_SIZES)
    set(png "${desktop_dir}/icons/${size}x${size}/ovra.png")
    add_custom_command(OUTPUT "${png}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${desktop_dir}/icons/${size}x${size}"
      COMMAND "${RSVG_CONVERT}" -w ${size} -h ${size} -o "${png}" "${PROJECT_SOURCE_DIR}/resources/ovra.svg"
      DEPENDS "${PROJECT_SOURCE_DIR}/resources/ovra.svg"
      COMMENT "Drawing the ${size} px icon")
    list(APPEND icon_files "${png}")
    install(FILES "${png}" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
  endforeach()
else()
  message(WARNING "rsvg-convert not found (scripts/setup installs it): only the SVG icon is installed")
endif()

# The man page, compressed as Debian keeps them.
set(man_page "${desktop_dir}/ovra.1.gz")
add_custom_command(OUTPUT "${man_page}"
  COMMAND gzip -9 -n -c "${PROJECT_SOURCE_DIR}/docs/ovra.1" > "${man_page}"
  DEPENDS "${PROJECT_SOURCE_DIR}/docs/ovra.1"
  COMMENT "Compressing the man page")
add_custom_target(ovra_desktop_files ALL DEPENDS ${icon_files} "${man_page}")

if(TARGET ovra)
  install(TARGETS ovra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES resources/ovra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/ovra-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ovra.xml)
install(FILES resources/ovra.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES "${desktop_dir}/${OVRA_APP_ID}.metainfo.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES "${man_page}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES resources/ovra.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME ovra)

# A plain `cmake --install` refreshes the caches itself; a package does it in
# its maintainer scripts.
install(CODE [[
  if(NOT "$ENV{DESTDIR}")
    find_program(UPDATE_MIME update-mime-database)
    find_program(UPDATE_DESKTOP update-desktop-database)
    find_program(UPDATE_ICONS gtk-update-icon-cache)
    if(UPDATE_MIME)
      execute_process(COMMAND "${UPDATE_MIME}" "${CMAKE_INSTALL_PREFIX}/share/mime" ERROR_QUIET OUTPUT_QUIET)
    endif()
    if(UPDATE_DESKTOP)
      execute_process(COMMAND "${UPDATE_DESKTOP}" "${CMAKE_INSTALL_PREFIX}/share/applications" ERROR_QUIET OUTPUT_QUIET)
    endif()
    if(UPDATE_ICONS AND EXISTS "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/index.theme")
      execute_process(COMMAND "${UPDATE_ICONS}" -q -t -f "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor" ERROR_QUIET OUTPUT_QUIET)
    endif()
  endif()
]])

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "ovra")
set(CPACK_PACKAGE_VENDOR "Eldvarrow")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "army builder for the Fennmarch wargame")
set(CPACK_PACKAGE_DESCRIPTION "Ovra builds armies for the Fennmarch tabletop wargame: pick a nation and a
points limit, field troop types and their units, and see every broken rule
as you build. Rosters print, or are written as PDF, HTML or text; commands
check and export army files without a display.")
set(CPACK_PACKAGE_CONTACT "Ovra developers <ovra@eldvarrow.invalid>" CACHE STRING "The package's maintainer")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its platform plugins at run time; no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/resources/debian/postinst;${PROJECT_SOURCE_DIR}/resources/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
