# The release: keytide.exe built small, and on request (make dist, target
# keytide_zip) packed with its help page, a read-me for users and the license
# into dist/keytide-<version>-win64.zip, named after the project's version.
# The presets compile with -O2: -Os would save about 60 KB of code, a few per
# cent of a program whose tray pictures are most of its size, and cost speed.
set(KEYTIDE_DIST_SIZE_FLAGS -ffunction-sections -fdata-sections)
foreach(target keytide_core keytide_win keytide)
  target_compile_options(${target} PRIVATE ${KEYTIDE_DIST_SIZE_FLAGS})
endforeach()
# Unreferenced functions and data go; no symbols or debug information stay.
target_link_options(keytide PRIVATE -Wl,--gc-sections -s)

set(KEYTIDE_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(KEYTIDE_ZIP ${CMAKE_SOURCE_DIR}/dist/keytide-${PROJECT_VERSION}-win64.zip)
# Text files for Notepad: Windows line ends.
configure_file(${CMAKE_SOURCE_DIR}/res/package/README.txt.in ${KEYTIDE_PACKAGE_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${KEYTIDE_PACKAGE_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

add_custom_command(
  OUTPUT ${KEYTIDE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KEYTIDE_PACKAGE_DIR}/Help ${CMAKE_SOURCE_DIR}/dist
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:keytide> ${KEYTIDE_PACKAGE_DIR}/keytide.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/res/help/topics.htm ${KEYTIDE_PACKAGE_DIR}/Help/topics.htm
  COMMAND ${CMAKE_COMMAND} -E rm -f ${KEYTIDE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${KEYTIDE_ZIP} --format=zip
          keytide.exe Help/topics.htm README.txt LICENSE.txt
  WORKING_DIRECTORY ${KEYTIDE_PACKAGE_DIR}
  DEPENDS keytide ${CMAKE_SOURCE_DIR}/res/help/topics.htm ${KEYTIDE_PACKAGE_DIR}/README.txt
          ${KEYTIDE_PACKAGE_DIR}/LICENSE.txt
  COMMENT "Packing ${KEYTIDE_ZIP}"
  VERBATIM)
add_custom_target(keytide_zip DEPENDS ${KEYTIDE_ZIP})
