# Installed layout: the launcher bin/zendrils on the PATH, the program in
# libexec/zendrils/, the resource tree in share/zendrils/resources/, a desktop
# entry with its icons, the AppStream metadata, and the copyright and changelog
# a Debian package carries. The launcher finds the program and the resources
# relative to itself, so a DESTDIR-staged or moved tree works as well as the
# packaged one.
include(GNUInstallDirs)

# Installing (and cpack) takes what the build made without building the rest of
# the tree first: the program's target depends on all that the install needs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(ZEN_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zendrils)
set(ZEN_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zendrils/resources)
foreach(dir IN ITEMS CMAKE_INSTALL_BINDIR ZEN_INSTALL_PROGRAM_DIR ZEN_INSTALL_DATA_DIR)
    if(IS_ABSOLUTE "${${dir}}")
        message(FATAL_ERROR "${dir} must be relative to the prefix: the launcher is relocatable")
    endif()
endforeach()

# Where the package says the project lives; its AppStream screenshots are the
# README's pictures under <homepage>/docs/. A placeholder, like the maintainer.
set(ZEN_PACKAGE_HOMEPAGE "https://zendrils.example.org"
    CACHE STRING "Homepage of the Debian package and the AppStream metadata")
set(ZEN_PACKAGE_MAINTAINER "Zendrils maintainers <zendrils@example.org>"
    CACHE STRING "Maintainer field of the Debian package and its changelog")

file(RELATIVE_PATH ZEN_BIN_TO_PREFIX /prefix/${CMAKE_INSTALL_BINDIR} /prefix)
set(ZEN_LAUNCHER ${CMAKE_BINARY_DIR}/launcher/zendrils)
configure_file(packaging/zendrils.in ${ZEN_LAUNCHER} @ONLY)

set(ZEN_METAINFO ${CMAKE_BINARY_DIR}/packaging/org.example.zendrils.metainfo.xml)
configure_file(packaging/zendrils.metainfo.xml.in ${ZEN_METAINFO} @ONLY)

# The changelog as Debian wants it: gzip -9 without name or time stamp.
set(ZEN_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog)
configure_file(packaging/changelog.in ${ZEN_CHANGELOG} @ONLY)
add_custom_command(OUTPUT ${ZEN_CHANGELOG}.gz
    COMMAND ${ZEN_GZIP} -9nkf ${ZEN_CHANGELOG}
    DEPENDS ${ZEN_CHANGELOG}
    COMMENT "Compressing the changelog")
add_custom_target(zendrils_changelog ALL DEPENDS ${ZEN_CHANGELOG}.gz)

install(PROGRAMS ${ZEN_LAUNCHER} DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS zendrils RUNTIME DESTINATION ${ZEN_INSTALL_PROGRAM_DIR})
# A stripped install (the package's) drops the compiler's notes too, as Debian's strip does.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZEN_INSTALL_PROGRAM_DIR}/zendrils\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()")
install(DIRECTORY ${ZEN_RESOURCES_DIR}/ DESTINATION ${ZEN_INSTALL_DATA_DIR})
install(FILES packaging/zendrils.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${ZEN_ICON_THEME} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${ZEN_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/copyright ${ZEN_CHANGELOG}.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${ZEN_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
