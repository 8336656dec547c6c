# What `cmake --install` puts under the prefix: the two programs, the editor's desktop entry,
# icons and AppStream metadata, both manual pages, the README, the changelog and the licence.
include(GNUInstallDirs)

install(TARGETS tarnconfig tarnctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES schema/tarnconfig-folder.schema.json DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnconfig)

install(FILES packaging/${TARN_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/${TARN_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/icons/hicolor/scalable/apps/${TARN_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS TARN_ICON_SIZES)
  install(FILES packaging/icons/hicolor/${size}x${size}/apps/${TARN_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages carry project()'s version and are installed compressed, as man-db and Debian
# expect; -n keeps the build reproducible.
set(TARN_MAN_PAGES)
foreach(page tarnconfig.1 tarnctl.1)
  set(configured ${PROJECT_BINARY_DIR}/man/${page})
  configure_file(packaging/man/${page} ${configured} @ONLY)
  add_custom_command(OUTPUT ${configured}.gz
    COMMAND gzip -9 -n -f -k ${configured}
    DEPENDS ${configured}
    VERBATIM)
  list(APPEND TARN_MAN_PAGES ${configured}.gz)
endforeach()
add_custom_target(manpages ALL DEPENDS ${TARN_MAN_PAGES})
install(FILES ${TARN_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian keeps the licence as the package's copyright file; other prefixes get the same place.
install(FILES LICENSE
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnconfig
  RENAME copyright)

# The package's changelog, in Debian's format and compressed as Debian keeps it; the README is
# the user's guide to both programs.
set(TARN_CHANGELOG ${PROJECT_BINARY_DIR}/changelog.Debian)
configure_file(packaging/changelog ${TARN_CHANGELOG} COPYONLY)
add_custom_command(OUTPUT ${TARN_CHANGELOG}.gz
  COMMAND gzip -9 -n -f -k ${TARN_CHANGELOG}
  DEPENDS ${TARN_CHANGELOG}
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${TARN_CHANGELOG}.gz)
install(FILES ${TARN_CHANGELOG}.gz README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarnconfig)
install(FILES packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME tarnconfig)
