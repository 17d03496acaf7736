# Windows tier: keytide.exe and the programs the end-to-end tests run under Wine.
set(KEYTIDE_WIN_FLAGS -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601)
target_compile_definitions(keytide_core PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
set(KEYTIDE_STATIC_LINK -static -static-libgcc -static-libstdc++)

file(GLOB_RECURSE KEYTIDE_WIN_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/*_win.cpp
  ${CMAKE_SOURCE_DIR}/src/platform/win32/*.cpp
  ${CMAKE_SOURCE_DIR}/src/app/*.cpp)
add_library(keytide_win STATIC ${KEYTIDE_WIN_SOURCES})
target_link_libraries(keytide_win PUBLIC keytide_core)
target_compile_options(keytide_win PRIVATE ${KEYTIDE_WARNINGS})
# windows.h is most of every Win32 file's compile time.
target_precompile_headers(keytide_win PRIVATE <windows.h> <functional> <memory> <optional> <string> <vector>)
target_link_libraries(keytide_win PUBLIC user32 gdi32 shell32 shlwapi advapi32 winmm comdlg32 comctl32 ole32)

enable_language(RC)
add_executable(keytide WIN32 ${CMAKE_SOURCE_DIR}/src/app/WinMain_win.cpp ${CMAKE_SOURCE_DIR}/res/keytide.rc)
target_link_libraries(keytide PRIVATE keytide_win)
target_compile_options(keytide PRIVATE ${KEYTIDE_WARNINGS})
target_link_options(keytide PRIVATE ${KEYTIDE_STATIC_LINK} -mwindows)
include(cmake/trayicons.cmake)
keytide_add_icon_resources(keytide ${CMAKE_SOURCE_DIR}/res/keytide.rc)
# The manifest carries the project's version too.
configure_file(${CMAKE_SOURCE_DIR}/res/keytide.manifest.in ${KEYTIDE_GENERATED_DIR}/keytide.manifest @ONLY)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/res/keytide.rc APPEND PROPERTY OBJECT_DEPENDS
             ${KEYTIDE_GENERATED_DIR}/KeytideVersion.h ${KEYTIDE_GENERATED_DIR}/keytide.manifest)

# The help page goes beside keytide.exe, where the "Help" menu items open it.
set(KEYTIDE_HELP_PAGE ${CMAKE_BINARY_DIR}/Help/topics.htm)
add_custom_command(
  OUTPUT ${KEYTIDE_HELP_PAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/Help
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/res/help/topics.htm ${KEYTIDE_HELP_PAGE}
  DEPENDS ${CMAKE_SOURCE_DIR}/res/help/topics.htm
  VERBATIM)
add_custom_target(keytide_help ALL DEPENDS ${KEYTIDE_HELP_PAGE})

# The Windows build is the release build: the end-to-end tests run the very
# keytide.exe that make dist packs.
include(cmake/dist.cmake)

# End-to-end test driver and helper programs: every .cpp directly under
# tests/e2e/programs becomes its own console program (marker.exe one without
# a console, below); the driver is built from tests/e2e/driver.
file(GLOB KEYTIDE_E2E_DRIVER CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
if(KEYTIDE_E2E_DRIVER)
  add_executable(ktdriver ${KEYTIDE_E2E_DRIVER})
  target_include_directories(ktdriver PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e/driver ${CMAKE_SOURCE_DIR}/src)
  # The driver waits on programs; optimising it would only cost build time.
  target_compile_options(ktdriver PRIVATE ${KEYTIDE_WARNINGS} -O0)
  target_precompile_headers(ktdriver PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e/driver/Driver.h)
  target_link_options(ktdriver PRIVATE ${KEYTIDE_STATIC_LINK})
  target_link_libraries(ktdriver PRIVATE keytide_win keytide_core user32 gdi32 shell32 advapi32 winmm psapi version)
endif()
file(GLOB KEYTIDE_E2E_PROGRAMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/programs/*.cpp)
foreach(program_source ${KEYTIDE_E2E_PROGRAMS})
  get_filename_component(program_name ${program_source} NAME_WE)
  add_executable(${program_name} ${program_source})
  target_include_directories(${program_name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(${program_name} PRIVATE ${KEYTIDE_WARNINGS})
  target_link_options(${program_name} PRIVATE ${KEYTIDE_STATIC_LINK})
  target_link_libraries(${program_name} PRIVATE keytide_core user32 gdi32 shell32 advapi32 winmm)
endforeach()
# The program starts marker.exe itself: as a console program it would get a
# console window of its own, which takes the foreground when it comes (late
# under load, while the test already works the next menu) and leaves none
# when it goes.
set_target_properties(marker PROPERTIES WIN32_EXECUTABLE ON)

# Programs that run the program's own Windows code outside keytide.exe
# (tests/bench/win, one exe each).
file(GLOB KEYTIDE_WIN_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/win/*.cpp)
# They are built by make bench (target keytide_benches).
add_custom_target(keytide_benches)
foreach(bench_source ${KEYTIDE_WIN_BENCHES})
  get_filename_component(bench_name ${bench_source} NAME_WE)
  add_executable(${bench_name} EXCLUDE_FROM_ALL ${bench_source})
  add_dependencies(keytide_benches ${bench_name})
  target_include_directories(${bench_name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests/bench/win)
  target_compile_options(${bench_name} PRIVATE ${KEYTIDE_WARNINGS})
  target_link_options(${bench_name} PRIVATE ${KEYTIDE_STATIC_LINK})
  target_link_libraries(${bench_name} PRIVATE keytide_win)
endforeach()

# The INI differential test: the portable INI engine against the system's
# profile functions, run under Wine by scripts/ini-diff.sh.
add_executable(ini_diff ${CMAKE_SOURCE_DIR}/tests/ini_diff/ini_diff.cpp)
target_include_directories(ini_diff PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
target_compile_options(ini_diff PRIVATE ${KEYTIDE_WARNINGS})
target_link_options(ini_diff PRIVATE ${KEYTIDE_STATIC_LINK})
target_link_libraries(ini_diff PRIVATE keytide_win)
