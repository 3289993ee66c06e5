# The Windows packages: a ZIP of the deployment folder and an NSIS installer (makensis from
# Debian's nsis builds it on Linux too) with a licence page, a choice between an installation
# for all users and one for the current user only, a Start-menu entry and an uninstaller.
# What goes into them is cmake/deploy_windows.cmake's.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME velmaron-config)
set(CPACK_PACKAGE_VENDOR Velmaron)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Velmaron Configuration: download settings for Velmaron devices")
set(CPACK_PACKAGE_FILE_NAME velmaron-config-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Velmaron Configuration")
set(CPACK_PACKAGE_EXECUTABLES velmaron-config "Velmaron Configuration")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES TRUE)

# Our own installer script (packaging/windows/NSIS.template.in) instead of CPack's.
list(PREPEND CPACK_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging/windows)
set(CPACK_NSIS_PACKAGE_NAME "Velmaron Configuration")
set(CPACK_NSIS_DISPLAY_NAME "Velmaron Configuration")
set(CPACK_NSIS_INSTALLED_ICON_NAME velmaron-config.exe)
set(CPACK_NSIS_MUI_ICON ${VELMARON_ICON_DIR}/velmaron-config.ico)
set(CPACK_NSIS_MUI_UNIICON ${VELMARON_ICON_DIR}/velmaron-config.ico)
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${VELMARON_ICON_DIR}/installer-side.bmp)

include(CPack)

# The Windows Installer package for managed computers, beside the ZIP and the installer:
# `cmake --build . --target velmaron_msi` packs velmaron-config-<version>-win64.msi with wixl
# from Debian's msitools (scripts/pack-msi), where wixl is there.
find_program(VELMARON_WIXL wixl)
find_program(VELMARON_WIXL_HEAT wixl-heat)
if(VELMARON_WIXL AND VELMARON_WIXL_HEAT AND TARGET velmaron-config)
  set(msi velmaron-config-${PROJECT_VERSION}-win64.msi)
  add_custom_target(velmaron_msi
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/pack-msi ${CMAKE_BINARY_DIR} ${PROJECT_VERSION}
            ${CMAKE_BINARY_DIR}/packages/${msi}
    COMMENT "Packing ${msi}"
    VERBATIM)
  add_dependencies(velmaron_msi velmaron-config velmaron-cli)
endif()
