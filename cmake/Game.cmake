# Install rules of the game (component "game") and the packages CPack makes
# of it. On Linux the usual tree: bin/velmor, share/velmor/Data, a desktop
# entry, hicolor icons, AppStream metadata, the manual page and the docs;
# the executable finds its data at ../share/velmor/Data, so the paths are
# fixed and the tree can be moved as a whole. On Windows a flat folder:
# velmor.exe beside Data/, README and LICENSE. The Debian package adds the
# files Debian asks for (component "debian", left out of a plain install).
set(VELMOR_APPSTREAM_ID "org.example.velmor" CACHE STRING "AppStream component id of the game")
set(VELMOR_HOMEPAGE "https://velmor.example.org/" CACHE STRING
    "The game's home page (ending in /); the AppStream screenshots are screenshots/menu.png and level1.png below it")
set(VELMOR_CONTACT "The Velmor developers <velmor@example.org>" CACHE STRING "Maintainer of the packages")

if(WIN32)
  set(game_bin .)
  set(game_data Data)
  set(game_doc .)
else()
  set(game_bin bin)
  set(game_data share/velmor/Data)
  set(game_doc share/doc/velmor)
endif()

install(TARGETS velmor RUNTIME DESTINATION ${game_bin} COMPONENT game)
if(NOT WIN32 AND CMAKE_OBJCOPY)
  # A stripped game keeps no compiler notes either (the C library's start
  # files bring some along).
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${game_bin}/velmor\")
endif()" COMPONENT game)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Data/ DESTINATION ${game_data} COMPONENT game)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${game_doc} COMPONENT game)

if(NOT WIN32)
  set(dist ${PROJECT_SOURCE_DIR}/dist)
  set(generated ${PROJECT_BINARY_DIR}/dist)
  install(FILES ${dist}/velmor.desktop DESTINATION share/applications COMPONENT game)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${dist}/icons/velmor-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
            RENAME velmor.png COMPONENT game)
  endforeach()
  configure_file(${dist}/velmor.metainfo.xml.in ${generated}/${VELMOR_APPSTREAM_ID}.metainfo.xml @ONLY)
  install(FILES ${generated}/${VELMOR_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo COMPONENT game)

  # Compressed as Debian wants them (best compression, no name or time in
  # the header, so the same sources give the same bytes).
  function(velmor_gzip input output)
    execute_process(COMMAND gzip -9 -n -c INPUT_FILE ${input} OUTPUT_FILE ${output} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "gzip could not compress ${input}")
    endif()
  endfunction()
  configure_file(${dist}/velmor.6.in ${generated}/velmor.6 @ONLY)
  velmor_gzip(${generated}/velmor.6 ${generated}/velmor.6.gz)
  install(FILES ${generated}/velmor.6.gz DESTINATION share/man/man6 COMPONENT game)

  configure_file(${dist}/debian/changelog.in ${generated}/changelog @ONLY)
  velmor_gzip(${generated}/changelog ${generated}/changelog.gz)
  install(FILES ${generated}/changelog.gz ${dist}/debian/copyright DESTINATION ${game_doc} COMPONENT debian
          EXCLUDE_FROM_ALL)
  install(FILES ${dist}/debian/lintian-overrides DESTINATION share/lintian/overrides RENAME velmor
          COMPONENT debian EXCLUDE_FROM_ALL)
endif()

# Packages: cpack --preset package (Linux: .deb and .tar.gz) and
# cpack --preset windows (the .zip); scripts/package.sh makes them all.
set(CPACK_PACKAGE_NAME velmor)
set(CPACK_PACKAGE_VENDOR "The Velmor developers")
set(CPACK_PACKAGE_CONTACT "${VELMOR_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small 2D action game with snowballs and fireballs")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VELMOR_HOMEPAGE}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
# One package of the game only: not the engine's libraries and headers.
set(CPACK_COMPONENTS_ALL game)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/CPackPerGenerator.cmake)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME velmor-${PROJECT_VERSION}-windows-x86_64)
else()
  set(CPACK_GENERATOR "DEB;TGZ")
  set(CPACK_PACKAGE_FILE_NAME velmor-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries from the binary; the font the game asks fontconfig for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# Below the summary line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velmor is a small two-dimensional action game. You move with the arrow
keys or W, A, S and D, aim with the mouse and throw snowballs with the
left button and fireballs with the right one. Fireballs leave holes that
shrink and vanish; wandering, chasing and spitting creatures, water and
deadly hazards stand in your way.")

include(CPack)
