# The program's icons are drawn at build time by tools/trayicons, a small
# portable program kept with the sources. It has to run on the build machine,
# which is not the target when cross-compiling, so there it is built with the
# build machine's own C++ compiler.
file(GLOB KEYTIDE_TRAYICONS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/trayicons/*.cpp)
file(GLOB KEYTIDE_TRAYICONS_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/trayicons/*.h)
# The drawing and the .ico writer without the program's main, for the unit tests.
set(KEYTIDE_TRAYICONS_DRAWING_SOURCES ${KEYTIDE_TRAYICONS_SOURCES})
list(FILTER KEYTIDE_TRAYICONS_DRAWING_SOURCES EXCLUDE REGEX "/main\\.cpp$")

# Writes keytide.ico, tray00.ico .. tray89.ico and trayicons.rc into
# KEYTIDE_ICON_DIR; `target` gets that folder on its (resource) include path
# and `rc_source` is recompiled whenever they change.
function(keytide_add_icon_resources target rc_source)
  set(icon_dir ${CMAKE_BINARY_DIR}/icons)
  set(outputs ${icon_dir}/keytide.ico ${icon_dir}/trayicons.rc)
  foreach(picture RANGE 89)
    string(LENGTH "${picture}" digits)
    if(digits EQUAL 1)
      set(picture "0${picture}")
    endif()
    list(APPEND outputs ${icon_dir}/tray${picture}.ico)
  endforeach()

  set(resource_ids ${CMAKE_SOURCE_DIR}/src/shell/TrayIconResources.h)
  if(CMAKE_CROSSCOMPILING)
    find_program(KEYTIDE_HOST_CXX NAMES c++ g++ clang++ REQUIRED
                 DOC "C++ compiler of the build machine, for programs that run during the build")
    set(generator ${CMAKE_BINARY_DIR}/host/trayicons${CMAKE_HOST_EXECUTABLE_SUFFIX})
    add_custom_command(
      OUTPUT ${generator}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
      COMMAND ${KEYTIDE_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -I${CMAKE_SOURCE_DIR}/src
              -o ${generator} ${KEYTIDE_TRAYICONS_SOURCES}
      DEPENDS ${KEYTIDE_TRAYICONS_SOURCES} ${KEYTIDE_TRAYICONS_HEADERS} ${resource_ids}
      COMMENT "Building the icon generator for the build machine"
      VERBATIM)
  else()
    add_executable(trayicons ${KEYTIDE_TRAYICONS_SOURCES})
    target_include_directories(trayicons PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(trayicons PRIVATE ${KEYTIDE_WARNINGS})
    target_link_options(trayicons PRIVATE -static)
    set(generator trayicons)
  endif()

  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${generator} ${icon_dir}
    DEPENDS ${generator}
    COMMENT "Drawing the application icon and the 90 tray pictures"
    VERBATIM)
  add_custom_target(keytide_icons DEPENDS ${outputs})
  add_dependencies(${target} keytide_icons)
  target_include_directories(${target} PRIVATE ${icon_dir})
  # windres reads the icons named in trayicons.rc; make the resource object depend on them.
  set_source_files_properties(${rc_source} PROPERTIES OBJECT_DEPENDS "${outputs}")
endfunction()
