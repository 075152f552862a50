# Installed layout: the launcher bin/zendrils on the PATH, the program in
# libexec/zendrils/, the resource tree in share/zendrils/resources/, a desktop
# entry and an icon. The launcher finds the other two relative to itself, so
# a DESTDIR-staged or moved tree works as well as the packaged one.
include(GNUInstallDirs)

set(ZEN_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zendrils)
set(ZEN_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zendrils/resources)
foreach(dir IN ITEMS CMAKE_INSTALL_BINDIR ZEN_INSTALL_PROGRAM_DIR ZEN_INSTALL_DATA_DIR)
    if(IS_ABSOLUTE "${${dir}}")
        message(FATAL_ERROR "${dir} must be relative to the prefix: the launcher is relocatable")
    endif()
endforeach()

file(RELATIVE_PATH ZEN_BIN_TO_PREFIX /prefix/${CMAKE_INSTALL_BINDIR} /prefix)
set(ZEN_LAUNCHER ${CMAKE_BINARY_DIR}/launcher/zendrils)
configure_file(packaging/zendrils.in ${ZEN_LAUNCHER} @ONLY)

install(PROGRAMS ${ZEN_LAUNCHER} DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zendrils RUNTIME DESTINATION ${ZEN_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${ZEN_RESOURCES_DIR}/ DESTINATION ${ZEN_INSTALL_DATA_DIR})
install(FILES packaging/zendrils.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZEN_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${ZEN_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
