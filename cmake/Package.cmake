# What players receive, made with CPack into build/package:
#  - Linux: ravelstone-config_<version>_<arch>.deb with both programs, the
#    desktop entry, the icon theme sizes, the AppStream record and the man
#    pages, and the source archive;
#  - Windows (the 32-bit mingw tree): ravelstone-config-<version>-windows.zip
#    with config.exe, ravelstone-cfg.exe and a read-me, to unpack next to the
#    game.
set(RAVEL_PACKAGE_DIR ${PROJECT_SOURCE_DIR}/src/resources/package)
set(CPACK_PACKAGE_NAME ravelstone-config)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ravelstone Config developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings editor of the game Ravelstone")
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_SOURCE_DIR}/build/package)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # Players receive the 32-bit config.exe; the 64-bit tree is for tests.
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
        return()
    endif()
    configure_file(${RAVEL_PACKAGE_DIR}/README-windows.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
    install(TARGETS config ravelstone-cfg RUNTIME DESTINATION .)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME ravelstone-config-${PROJECT_VERSION}-windows)
    # The three files at the top, as they go next to the game.
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_SOURCE_GENERATOR "")
    include(CPack)
    return()
endif()

include(GNUInstallDirs)
install(TARGETS ravelstone-config ravelstone-cfg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES src/resources/linux/ravelstone-config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icon in the sizes menus, panels and software centres ask for, drawn by
# the script that draws the window icon.
set(RAVEL_ICONS "")
foreach(size 16 22 24 32 48 64 128 256)
    set(icon ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/ravelstone-config.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory icons/${size}x${size}
        COMMAND ${PROJECT_SOURCE_DIR}/scripts/make-icon.sh ${size} ${icon}
        DEPENDS ${PROJECT_SOURCE_DIR}/scripts/make-icon.sh
        VERBATIM)
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND RAVEL_ICONS ${icon})
endforeach()

# This release's time, 2026-12-08 12:00 UTC, as the changelog, the software
# centres' record and the man pages give it: the same files on every build.
set(RAVEL_RELEASE_EPOCH 1796731200)
set(ENV{SOURCE_DATE_EPOCH} ${RAVEL_RELEASE_EPOCH})
string(TIMESTAMP RAVEL_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP RAVEL_RELEASE_TIME "%a, %d %b %Y %H:%M:%S +0000" UTC)
unset(ENV{SOURCE_DATE_EPOCH})

# The manual pages, from the programs' own --help and --version.
find_program(RAVEL_HELP2MAN help2man REQUIRED)
set(RAVEL_MAN_PAGES "")
function(ravel_man_page program summary)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory man
        COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${RAVEL_RELEASE_EPOCH}
                ${RAVEL_HELP2MAN} --no-info --section 1 --name ${summary} --output ${page}
                $<TARGET_FILE:${program}>
        COMMAND gzip -9nf ${page}
        DEPENDS ${program}
        VERBATIM)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    set(RAVEL_MAN_PAGES ${RAVEL_MAN_PAGES} ${page}.gz PARENT_SCOPE)
endfunction()
ravel_man_page(ravelstone-config "edit the graphics, sound, keyboard and joystick settings of Ravelstone")
ravel_man_page(ravelstone-cfg "show, check, export, import and reset Ravelstone's settings file")

# The project has no public address yet: .invalid stands in until a release
# sets where it answers and where it publishes its screenshots.
set(RAVEL_MAINTAINER "Ravelstone Config developers <maintainers@ravelstone.invalid>" CACHE STRING
    "The package's maintainer, name <address>")
configure_file(${RAVEL_PACKAGE_DIR}/changelog.in changelog @ONLY)
add_custom_command(OUTPUT changelog.gz
    COMMAND gzip -9nkf changelog
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog
    VERBATIM)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${RAVEL_PACKAGE_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ravelstone-config)

# Software centres' record, with the screenshots of docs/.
set(RAVEL_SCREENSHOT_URL "https://ravelstone.invalid/screenshots" CACHE STRING
    "Where a release's screenshots (docs/linux-*.png) are published")
configure_file(${RAVEL_PACKAGE_DIR}/ravelstone-config.metainfo.xml.in
               ravelstone-config.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ravelstone-config.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
add_custom_target(package_files ALL DEPENDS ${RAVEL_ICONS} ${RAVEL_MAN_PAGES} changelog.gz)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not a game itself: Debian's games section is for programs in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${RAVEL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION "One window with three pages, graphics and sound, keyboard keys and joystick
inputs, that reads and writes setting.cfg of Ravelstone, a fighting game for
up to four players, in the Wine or Proton prefix the game runs in. A key or a
controller input is assigned simply by pressing it.

ravelstone-cfg shows, checks, exports, imports and resets the same file from
the command line.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time for the joysticks, so shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libsdl2-2.0-0)

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME ravelstone-config-${PROJECT_VERSION}-source)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/" "/__pycache__/" "\\\\.swp$")
include(CPack)
