cmake_minimum_required(VERSION 3.25)
# The libraries link in the intended order only. Each library's direct links
# must be among the ones its layer may use (ALLOWED below), and a library
# the table does not name is a failure too, so a new library states its
# place here. Since only the engines and the GUI are allowed their client
# libraries, vcl_sqlite alone links SQLite, vcl_gui and the Qt bridge alone
# Qt, and vcl_pg links no libpq at all (it loads it when it connects, so
# that programs which never do start without it); the validators and the
# utility units reach no GUI, no data layer and no engine through anything
# they link. LINKS holds "target=dep,dep" entries separated by '|', each the
# target's direct link libraries.
set(ALLOWED_vcl_core ICU::uc ICU::i18n)
set(ALLOWED_textman vcl_core)
set(ALLOWED_mathman vcl_core)
set(ALLOWED_validate vcl_core textman)
set(ALLOWED_vcl_gui vcl_core Qt6::Gui)
set(ALLOWED_vcl_db vcl_core)
set(ALLOWED_vcl_sqlite vcl_db SQLite::SQLite3)
set(ALLOWED_vcl_pg vcl_db)
set(ALLOWED_vcl_design vcl_core vcl_gui)
set(ALLOWED_vcl_testing vcl_gui)
set(ALLOWED_valedit_resources)
set(ALLOWED_btnedit vcl_gui mathman textman valedit_resources)
set(ALLOWED_calform vcl_gui valedit_resources)
set(ALLOWED_valedit btnedit calform validate valedit_resources)
set(ALLOWED_dbctrls btnedit valedit vcl_db)
set(ALLOWED_design valedit dbctrls vcl_design valedit_resources)
set(ALLOWED_qtbridge valedit Qt6::Widgets)

string(REPLACE "|" ";" ENTRIES "${LINKS}")
set(TARGETS)
foreach(E IN LISTS ENTRIES)
  string(FIND "${E}" "=" EQ)
  string(SUBSTRING "${E}" 0 ${EQ} T)
  math(EXPR START "${EQ} + 1")
  string(SUBSTRING "${E}" ${START} -1 DEPS)
  string(REPLACE "," ";" DEPS "${DEPS}")
  set(DEPS_${T} ${DEPS})
  list(APPEND TARGETS ${T})
endforeach()

set(PROBLEMS)
foreach(T IN LISTS TARGETS)
  if(NOT DEFINED ALLOWED_${T})
    list(APPEND PROBLEMS "${T} has no place in the layer table")
    continue()
  endif()
  foreach(D IN LISTS DEPS_${T})
    if(NOT D IN_LIST ALLOWED_${T})
      list(APPEND PROBLEMS "${T} links ${D}")
    endif()
  endforeach()
endforeach()

# What each of these reaches through everything it links, not only directly.
foreach(ROOT textman mathman validate)
  if(NOT ROOT IN_LIST TARGETS)
    list(APPEND PROBLEMS "${ROOT} is missing")
    continue()
  endif()
  set(SEEN)
  set(TODO ${ROOT})
  while(TODO)
    list(POP_FRONT TODO T)
    if(T IN_LIST SEEN)
      continue()
    endif()
    list(APPEND SEEN ${T})
    list(APPEND TODO ${DEPS_${T}})
  endwhile()
  foreach(FORBIDDEN vcl_gui vcl_db vcl_sqlite vcl_pg Qt6::Gui SQLite::SQLite3
                    PostgreSQL::PostgreSQL)
    if(FORBIDDEN IN_LIST SEEN)
      list(APPEND PROBLEMS "${ROOT} reaches ${FORBIDDEN}")
    endif()
  endforeach()
endforeach()

if(PROBLEMS)
  message(FATAL_ERROR "Layer violations: ${PROBLEMS}")
endif()
