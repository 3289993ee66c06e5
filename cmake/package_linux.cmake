# Installing on Linux, and the Debian package (cmake --build build --target package): the
# program, the command-line tool and its bash completion, the device emulator, the desktop
# entry, the AppStream metainfo, the icon in every hicolor size as the window's artwork renders
# it, and the documents Debian asks for.
if(NOT TARGET velmaron-config OR NOT TARGET velmaron-cli)
  return() # the package holds the window and the command-line tool
endif()
include(GNUInstallDirs)

set(VELMARON_APP_ID de.velmaron.config)
set(VELMARON_PACKAGE velmaron-config)
set(VELMARON_MAINTAINER "The Velmaron Configuration developers <config@velmaron.example>")
set(package_dir ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS velmaron-config velmaron-sim velmaron-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/linux/${VELMARON_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/linux/${VELMARON_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# Where bash-completion looks for a command's completion: a file named after the command.
install(FILES packaging/linux/velmaron-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME velmaron-cli)

# Debian's copyright file in its machine-readable form, with the licence's text.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REGEX REPLACE "\n" "\n " licence "${licence}")
string(TIMESTAMP year "%Y" UTC)
file(WRITE ${package_dir}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: ${VELMARON_PACKAGE}\n\n"
     "Files: *\nCopyright: ${year} The Velmaron Configuration developers\nLicense: MIT\n ${licence}\n")

# The changes of this version in Debian's form; CHANGELOG.md has the whole story.
string(TIMESTAMP now "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${package_dir}/changelog
     "${VELMARON_PACKAGE} (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * Release ${PROJECT_VERSION}; see /usr/share/doc/${VELMARON_PACKAGE}/CHANGELOG.md.\n\n"
     " -- ${VELMARON_MAINTAINER}  ${now}\n")

# Debian keeps its documents compressed.
set(compressed)
foreach(document ${package_dir}/changelog ${CMAKE_SOURCE_DIR}/packaging/linux/velmaron-config.1
        ${CMAKE_SOURCE_DIR}/packaging/linux/velmaron-sim.1
        ${CMAKE_SOURCE_DIR}/packaging/linux/velmaron-cli.1)
  get_filename_component(name ${document} NAME)
  add_custom_command(
    OUTPUT ${package_dir}/${name}.gz
    COMMAND gzip -n -9 -c ${document} > ${package_dir}/${name}.gz
    DEPENDS ${document})
  list(APPEND compressed ${package_dir}/${name}.gz)
endforeach()
add_custom_target(velmaron_package_docs ALL DEPENDS ${compressed})
install(FILES ${package_dir}/velmaron-config.1.gz ${package_dir}/velmaron-sim.1.gz
        ${package_dir}/velmaron-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${VELMARON_PACKAGE})
install(FILES ${package_dir}/copyright ${package_dir}/changelog.gz CHANGELOG.md
        DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VELMARON_PACKAGE})
set(CPACK_PACKAGE_VENDOR "The Velmaron Configuration developers")
set(CPACK_PACKAGE_CONTACT "${VELMARON_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for Velmaron tachograph download devices")
set(CPACK_PACKAGE_DESCRIPTION
    "A Velmaron downloads the data of a vehicle's digital tachograph and of
driver cards. This tool chooses what the device downloads and writes that
choice onto it over USB, one device in a window or a whole fleet with
velmaron-cli. The package also holds velmaron-sim, an emulator
of the devices for trying the tool without hardware.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmaron.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries from the programs themselves; the platform plugins are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
