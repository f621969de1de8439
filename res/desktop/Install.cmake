# Run by `cmake --install`: lays the sample data and the print forms beside the installed program
# unless they are there already (edited masters, estimates and forms are never overwritten), and
# installs the desktop entry, the MIME type of ".sei" files and the icon, so that the file manager
# opens estimates with the program, and the command "vemo-ovra" in the prefix's bin folder. Set by the caller: VEMO_INSTALL_DIR (relative to the prefix),
# VEMO_LAY_SAMPLE_DATA (the build's entry to scripts/LaySampleData.cmake), VEMO_DESKTOP_DIR (this
# folder), VEMO_ICON and VEMO_BUILD_DIR (where the desktop entry is made).
set(_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(_program_dir "${_root}/${VEMO_INSTALL_DIR}")

# The samples name the master data of the folder the program runs from, not the staging folder.
set(VEMO_PROGRAM_DIR "${_program_dir}")
set(VEMO_PROGRAM_NAMED_DIR "${CMAKE_INSTALL_PREFIX}/${VEMO_INSTALL_DIR}")
include("${VEMO_LAY_SAMPLE_DATA}")

set(VEMO_PROGRAM "${CMAKE_INSTALL_PREFIX}/${VEMO_INSTALL_DIR}/VemoMlit")
configure_file("${VEMO_DESKTOP_DIR}/vemo-ovra.desktop.in" "${VEMO_BUILD_DIR}/vemo-ovra.desktop" @ONLY)
file(INSTALL "${VEMO_BUILD_DIR}/vemo-ovra.desktop" DESTINATION "${_root}/share/applications")
file(INSTALL "${VEMO_DESKTOP_DIR}/vemo-ovra-sei.xml" DESTINATION "${_root}/share/mime/packages")
file(INSTALL "${VEMO_ICON}" DESTINATION "${_root}/share/icons/hicolor/32x32/apps" RENAME vemo-ovra.png)
configure_file("${VEMO_DESKTOP_DIR}/vemo-ovra.in" "${VEMO_BUILD_DIR}/vemo-ovra" @ONLY)
file(INSTALL "${VEMO_BUILD_DIR}/vemo-ovra" DESTINATION "${_root}/bin"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The desktop's caches, when installing for real (not into a staging DESTDIR).
if("$ENV{DESTDIR}" STREQUAL "")
  find_program(_update_mime update-mime-database)
  if(_update_mime)
    execute_process(COMMAND "${_update_mime}" "${_root}/share/mime" RESULT_VARIABLE _ignored OUTPUT_QUIET ERROR_QUIET)
  endif()
  find_program(_update_desktop update-desktop-database)
  if(_update_desktop)
    execute_process(COMMAND "${_update_desktop}" "${_root}/share/applications" RESULT_VARIABLE _ignored OUTPUT_QUIET
                    ERROR_QUIET)
  endif()
endif()
