# Data/Piples.db: the pipe table, made from the SQL text at build time.
set(TUBALON_PIPES_SQL ${CMAKE_CURRENT_LIST_DIR}/pipes.sql)
add_custom_command(
  OUTPUT ${TUBALON_DATA}/Piples.db
  COMMAND tubalon_mkpipes ${TUBALON_PIPES_SQL} ${TUBALON_DATA}/Piples.db
  DEPENDS tubalon_mkpipes ${TUBALON_PIPES_SQL}
  COMMENT "Making Data/Piples.db"
  VERBATIM)
add_custom_target(tubalon_pipes_db ALL DEPENDS ${TUBALON_DATA}/Piples.db)
