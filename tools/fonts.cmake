# The font library: glyph sources in fonts/glyphs/ compiled by our own tool
# into Fonts/kstndrd.bib of the data folder.
add_library(kivar_fontc STATIC ${CMAKE_CURRENT_LIST_DIR}/fontc/fontsource.cpp)
target_include_directories(kivar_fontc PUBLIC ${CMAKE_CURRENT_LIST_DIR}/fontc)
add_executable(kivar-fontc ${CMAKE_CURRENT_LIST_DIR}/fontc/main.cpp)
target_link_libraries(kivar-fontc PRIVATE kivar_fontc)

file(GLOB KIVAR_FONT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fonts/glyphs/*.txt)
list(SORT KIVAR_FONT_SOURCES)
set(KIVAR_FONT_LIBRARY ${KIVAR_GEN_DIR}/Fonts/kstndrd.bib)
add_custom_command(OUTPUT ${KIVAR_FONT_LIBRARY}
  COMMAND kivar-fontc ${KIVAR_FONT_LIBRARY} ${KIVAR_FONT_SOURCES}
  DEPENDS kivar-fontc ${KIVAR_FONT_SOURCES}
  COMMENT "Compiling the font library"
  VERBATIM)
list(APPEND KIVAR_GEN_OUTPUTS ${KIVAR_FONT_LIBRARY})
