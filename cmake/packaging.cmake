# Installed layout and the Debian package.
include(GNUInstallDirs)

set(PICPROG_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quellmark-picprog)
install(FILES ${CMAKE_SOURCE_DIR}/data/picprogdevices.txt DESTINATION ${PICPROG_DATA_DIR})

if(TARGET quellmark-picprog)
  install(TARGETS quellmark-picprog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/quellmark-picprog.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/quellmark-picprog.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/quellmark-picprog-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME quellmark-picprog.png)
  endforeach()
endif()
if(TARGET quellmark-picprog-cli)
  install(TARGETS quellmark-picprog-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# Man pages and the package's documentation, compressed as Debian expects.
set(PICPROG_GZ_DIR ${CMAKE_BINARY_DIR}/packaging-gz)
file(MAKE_DIRECTORY ${PICPROG_GZ_DIR})
function(picprog_gzip source target)
  add_custom_command(OUTPUT ${PICPROG_GZ_DIR}/${target}
                     COMMAND gzip -9 -n -c ${source} > ${PICPROG_GZ_DIR}/${target}
                     DEPENDS ${source})
  list(APPEND PICPROG_GZ_FILES ${PICPROG_GZ_DIR}/${target})
  set(PICPROG_GZ_FILES ${PICPROG_GZ_FILES} PARENT_SCOPE)
endfunction()
picprog_gzip(${CMAKE_SOURCE_DIR}/docs/quellmark-picprog.1 quellmark-picprog.1.gz)
if(EXISTS ${CMAKE_SOURCE_DIR}/docs/quellmark-picprog-cli.1)
  picprog_gzip(${CMAKE_SOURCE_DIR}/docs/quellmark-picprog-cli.1 quellmark-picprog-cli.1.gz)
endif()
picprog_gzip(${CMAKE_SOURCE_DIR}/packaging/changelog changelog.gz)
add_custom_target(packaging_files ALL DEPENDS ${PICPROG_GZ_FILES})
install(FILES ${PICPROG_GZ_DIR}/quellmark-picprog.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(EXISTS ${CMAKE_SOURCE_DIR}/docs/quellmark-picprog-cli.1)
  install(FILES ${PICPROG_GZ_DIR}/quellmark-picprog-cli.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
# The package's name, not the CMake project's, names its documentation folder.
install(FILES ${PICPROG_GZ_DIR}/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quellmark-picprog)

set(CPACK_PACKAGE_NAME quellmark-picprog)
set(CPACK_PACKAGE_VENDOR "Quellmark project")
set(CPACK_PACKAGE_CONTACT "Quellmark project <picprog@quellmark.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programmer for 14-bit PIC microcontrollers on a parallel port")
# The long description only: CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quellmark Parallel Port PIC Programmer drives a simple programmer circuit\n\
on a PC parallel port to erase, program, read, blank-check and verify\n\
Microchip PIC microcontrollers with 14-bit program words. Chip models and\n\
their algorithms come from an editable text device database. Includes a\n\
desktop program and a command-line tool with a simulated programmer.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries come from shlibdeps: the desktop program brings Qt Widgets,
# the command-line tool only Qt Core (libqt6core6). Qt's platform plugins (xcb, wayland,
# offscreen) are loaded at run time, so they must be named.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
