# Debian package of the installed layout, under /usr: `cpack` on the build
# folder (see scripts/package) writes it. Depends comes from the program's
# shared libraries through dpkg-shlibdeps; the copyright and changelog come
# from the install rules, the hardening from the build flags.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zendrils)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3D demo: a space fighter among tumbling asteroids")
set(CPACK_PACKAGE_DESCRIPTION [[
The Zendrils are back is an OpenGL demonstration in one window: a space
fighter flies along spline paths through a field of tumbling asteroids,
past a planet and a landing podium, under a nebula sky box. Surfaces are
lit per pixel from normal maps, stencil shadow volumes darken whatever lies
in the shadow of the fighter, the podium and the rocks, and on its second
path the fighter turns reflective.

The viewer can follow the fighter, fly a free camera, or take the fighter
off its path and steer it. Start it with the command zendrils.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZEN_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZEN_PACKAGE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Headless runs open the EGL library at run time; a run in a window needs none.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libegl1)

include(CPack)
