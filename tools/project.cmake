# The template project standard.ini, written by our own project-file writer.
add_executable(kivar-mkproject ${CMAKE_CURRENT_LIST_DIR}/mkproject/main.cpp)
target_link_libraries(kivar-mkproject PRIVATE kivarcore)
set(KIVAR_TEMPLATE_PROJECT ${KIVAR_GEN_DIR}/standard.ini)
add_custom_command(OUTPUT ${KIVAR_TEMPLATE_PROJECT}
  COMMAND kivar-mkproject ${KIVAR_TEMPLATE_PROJECT}
  DEPENDS kivar-mkproject
  COMMENT "Writing the template project"
  VERBATIM)
list(APPEND KIVAR_GEN_OUTPUTS ${KIVAR_TEMPLATE_PROJECT})
