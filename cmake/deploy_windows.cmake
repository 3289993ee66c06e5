# The Windows program's deployment folder, laid out as windeployqt lays it out: the programs
# with the Qt and C++ runtime DLLs it loads beside it, the plugins it loads in their folders,
# and the licence texts. `cmake --install` fills it; cpack packs it. Included where the Qt
# targets are known (src/app). scripts/test-windows checks that every DLL the folder's
# programs import from Qt or the C++ runtime is there, and nothing else of theirs.
set(VELMARON_QT_LICENCE_FILES
  /usr/share/common-licenses/LGPL-3 /usr/share/common-licenses/GPL-3
  /usr/share/doc/libqt6core6/copyright
  CACHE STRING "Qt's licence texts shipped with the Qt DLLs (LGPL-3, the GPL-3 it builds on, Qt's copyright notes)")

install(TARGETS velmaron-config RUNTIME DESTINATION .)
if(TARGET velmaron-cli)
  install(TARGETS velmaron-cli RUNTIME DESTINATION .)
endif()
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets RUNTIME DESTINATION .)
foreach(folder_and_plugins IN ITEMS
    "platforms Qt6::QWindowsIntegrationPlugin"
    "styles Qt6::QWindowsVistaStylePlugin"
    "imageformats Qt6::QGifPlugin Qt6::QICOPlugin Qt6::QJpegPlugin")
  separate_arguments(plugins UNIX_COMMAND "${folder_and_plugins}")
  list(POP_FRONT plugins folder)
  install(IMPORTED_RUNTIME_ARTIFACTS ${plugins} LIBRARY DESTINATION ${folder})
endforeach()
if(MINGW)
  # Qt built with mingw-w64 keeps the C++ runtime's DLLs beside its own.
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
  get_filename_component(qt_dll_dir "${qt_core_dll}" DIRECTORY)
  install(FILES ${qt_dll_dir}/libstdc++-6.dll ${qt_dll_dir}/libgcc_s_seh-1.dll
                ${qt_dll_dir}/libwinpthread-1.dll DESTINATION .)
endif()

install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
foreach(licence IN LISTS VELMARON_QT_LICENCE_FILES)
  if(EXISTS "${licence}")
    get_filename_component(name "${licence}" NAME)
    install(FILES "${licence}" DESTINATION licences RENAME Qt-${name}.txt)
  endif()
endforeach()
