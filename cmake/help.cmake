# help.chm beside mensor.exe: tools/build_help.py compiles the pages of
# docs/help (project help.hhp, contents toc.hhc, index index.hhk, pages,
# pictures and style sheet) with chmcmd, with fixed time stamps.
file(GLOB HELP_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/docs/help/*.hhp ${CMAKE_SOURCE_DIR}/docs/help/*.hhc ${CMAKE_SOURCE_DIR}/docs/help/*.hhk
  ${CMAKE_SOURCE_DIR}/docs/help/*.html ${CMAKE_SOURCE_DIR}/docs/help/*.css ${CMAKE_SOURCE_DIR}/docs/help/images/*.png)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/help.chm
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/build_help.py
    ${CMAKE_SOURCE_DIR}/docs/help ${CMAKE_BINARY_DIR}/help.chm
  DEPENDS ${HELP_SOURCES} ${CMAKE_SOURCE_DIR}/tools/build_help.py
  COMMENT "Compiling help.chm"
  VERBATIM)
add_custom_target(help_chm ALL DEPENDS ${CMAKE_BINARY_DIR}/help.chm)
