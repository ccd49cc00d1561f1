# The Windows program as people get it: one folder with everything it needs
# to run, as a zip to unpack anywhere and as an installer with a Start-menu
# entry and an uninstaller (`make windows`: cmake --preset windows, then
# cpack in build-windows). The installer is made by CPack's NSIS generator
# with Debian's makensis.

# --- What the program needs beside it ---------------------------------------

# Qt's libraries and the plugins Qt looks for in folders beside the program:
# the platform plugin, without which no window opens, and the style that
# gives the controls Windows' own look.
foreach(qt_library Qt6::Core Qt6::Gui Qt6::Widgets)
    install(FILES $<TARGET_FILE:${qt_library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
if(TARGET Qt6::QWindowsVistaStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
endif()

# The compiler's own runtime, which every MinGW program and Qt's libraries
# load: the C++ library, the unwinder and POSIX threads.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
        OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
        message(FATAL_ERROR "The compiler does not know where ${runtime} is")
    endif()
    install(FILES ${runtime_path} DESTINATION .)
endforeach()

# Copied as they come, the DLLs keep their symbol tables, which make the
# C++ runtime ten times its size; they go out stripped, as the program does.
install(CODE "
    file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(dll IN LISTS dlls)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\"
            COMMAND_ERROR_IS_FATAL ANY)
    endforeach()")

# --- Documents ---------------------------------------------------------------

# Text files that Windows opens with a double click.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# The licences of what is shipped with it: Qt's, as the cross-built Qt keeps
# them, and the MinGW runtime's, as Debian states them.
install(DIRECTORY ${DUNMERROW_WINDOWS_QT}/licenses/qtbase/ DESTINATION licenses/Qt)
install(FILES /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright
    DESTINATION licenses/gcc-runtime)
install(FILES /usr/share/doc/mingw-w64-x86-64-dev/copyright DESTINATION licenses/winpthreads)

# --- The zip and the installer ---------------------------------------------

set(CPACK_PACKAGE_NAME "Dunmerrow")
set(CPACK_PACKAGE_VENDOR "${DUNMERROW_VENDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "Dunmerrow-${PROJECT_VERSION}-windows-x64")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Dunmerrow")
set(CPACK_GENERATOR "ZIP;NSIS")
# The installer's lines below reach makensis as they are written here.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_STRIP_FILES ON)
# The zip unpacks into one folder named like itself.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")

# The Start-menu entries start the programs in the user's Documents folder,
# where BATTERY.TXT then goes and where Dunmerrow Results finds it: a
# program started from the menu would otherwise run in its own folder under
# Program Files, which is not the user's to write in. The folder is the one
# Explorer shows as Documents, wherever it has been moved.
set(CPACK_NSIS_CREATE_ICONS_EXTRA [=[
  ReadRegStr $0 HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders" "Personal"
  ExpandEnvStrings $0 $0
  StrCmp $0 "" 0 +2
    StrCpy $0 "$PROFILE"
  SetOutPath "$0"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Dunmerrow.lnk" "$INSTDIR\Dunmerrow.exe"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Dunmerrow Results.lnk" "$INSTDIR\Dunmerrow-results.exe"
  SetOutPath "$INSTDIR"
]=])
set(CPACK_NSIS_DELETE_ICONS_EXTRA [=[
  Delete "$SMPROGRAMS\$MUI_TEMP\Dunmerrow.lnk"
  Delete "$SMPROGRAMS\$MUI_TEMP\Dunmerrow Results.lnk"
]=])
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Dunmerrow")
set(CPACK_NSIS_PACKAGE_NAME "Dunmerrow")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/resources/images/dunmerrow.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/resources/images/dunmerrow.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "Dunmerrow.exe")
# Installing over an earlier version removes it first.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
# A 64-bit installer for a 64-bit program: it needs no 32-bit layer of the
# system to run, and installs under the 64-bit Program Files.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")

include(CPack)
