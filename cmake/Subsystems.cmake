# One static library per subsystem folder, so a test links only what it uses.
function(zen_subsystem name)
    cmake_parse_arguments(ARG "" "" "SOURCES;GLOBS;EXCLUDE;DEPS" ${ARGN})
    set(sources ${ARG_SOURCES})
    foreach(pattern IN LISTS ARG_GLOBS)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${pattern})
        list(APPEND sources ${found})
    endforeach()
    foreach(pattern IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${pattern}")
    endforeach()
    add_library(${name} STATIC ${sources} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC zen_options ${ARG_DEPS})
    # State, cameras and shading refer to one another: repeat the cycle on link lines.
    set_target_properties(${name} PROPERTIES LINK_INTERFACE_MULTIPLICITY 3)
endfunction()

set(ZEN_GL OpenGL::GL OpenGL::GLU GLEW::GLEW)
set(ZEN_IMAGE DevIL::IL DevIL::ILU DevIL::ILUT)

zen_subsystem(zen_math GLOBS math/*.cpp)
zen_subsystem(zen_os GLOBS platform/os/*.cpp DEPS X11::X11 OpenGL::GLX)
zen_subsystem(zen_cg GLOBS platform/cg/*.cpp DEPS zen_math ${ZEN_GL})
zen_subsystem(zen_model GLOBS platform/model/*.cpp DEPS zen_math assimp::assimp ${ZEN_GL})
zen_subsystem(zen_object GLOBS scene/Object*.cpp DEPS zen_math ${ZEN_GL})
zen_subsystem(zen_spline GLOBS spline/*.cpp DEPS zen_object zen_math ${ZEN_GL})
zen_subsystem(zen_state
    SOURCES ${CMAKE_SOURCE_DIR}/src/app/AppState.cpp ${CMAKE_SOURCE_DIR}/src/app/Scene.cpp
            ${CMAKE_SOURCE_DIR}/src/app/FrameTimer.cpp
    DEPS zen_camera zen_os zen_math ${ZEN_GL})
zen_subsystem(zen_shading GLOBS shading/*.cpp DEPS zen_cg zen_state zen_math ${ZEN_GL} ${ZEN_IMAGE})
zen_subsystem(zen_shadow GLOBS shadow/*.cpp DEPS zen_model zen_shading zen_math ${ZEN_GL})
zen_subsystem(zen_camera GLOBS camera/*.cpp
    DEPS zen_spline zen_model zen_shading zen_state zen_os zen_math ${ZEN_GL} ${ZEN_IMAGE} GLUT::GLUT)
zen_subsystem(zen_scene GLOBS scene/*.cpp EXCLUDE "/Object[^/]*\\.cpp$"
    DEPS zen_model zen_shading zen_shadow zen_math ${ZEN_GL} ${ZEN_IMAGE})
zen_subsystem(zen_environment GLOBS environment/*.cpp
    DEPS zen_shading zen_math ${ZEN_GL} ${ZEN_IMAGE} GLUT::GLUT)
zen_subsystem(zen_app GLOBS app/*.cpp
    EXCLUDE "/main\\.cpp$" "/AppState\\.cpp$" "/Scene\\.cpp$" "/FrameTimer\\.cpp$"
    DEPS zen_state zen_camera zen_spline zen_scene zen_shadow zen_environment zen_shading
         zen_model zen_cg zen_os zen_math ${ZEN_GL} ${ZEN_IMAGE} GLUT::GLUT X11::X11)
