cmake_minimum_required(VERSION 3.25)
# What a library keeps in a detail/ folder is its own: no other library,
# program, test or tool includes it. The exceptions are named here, each
# with its reason; anything else that reaches into another library's
# detail/ fails. A source's library is found from its folder (LIBRARY_OF);
# sources outside every library (apps/, tests/, ...) may include no detail/
# at all.
set(LIBRARY_OF
    "vcl/sysutils=vcl_core" "vcl/classes=vcl_core" "vcl/typinfo=vcl_core"
    "vcl/dialogs=vcl_core" "vcl/editengine=vcl_core" "vcl/maskutils=vcl_core"
    "vcl/windows=vcl_gui" "vcl/graphics=vcl_gui" "vcl/accessibility=vcl_gui" "vcl/controls=vcl_gui"
    "vcl/stdctrls=vcl_gui"
    "vcl/mask=vcl_gui" "vcl/buttons=vcl_gui" "vcl/extctrls=vcl_gui" "vcl/comctrls=vcl_gui"
    "vcl/menus=vcl_gui" "vcl/forms=vcl_gui" "vcl/clipbrd=vcl_gui" "vcl/qt=vcl_gui"
    "vcl/db=vcl_db" "vcl/sqlitedb=vcl_sqlite" "vcl/pgdb=vcl_pg" "vcl/designintf=vcl_design"
    "vcl/testing=vcl_testing" "vcl/dbctrls=dbctrls" "textman=textman" "mathman=mathman"
    "validate=validate" "btnedit=btnedit" "valedit=valedit" "calform=calform" "design=design"
    "qtbridge=qtbridge")

# "including library>header": the crossings allowed.
set(ALLOWED
    # The data-aware twins publish their plain class's properties and add
    # their own: they share the plain classes' published tables.
    "dbctrls>btnedit/detail/published.h"
    "dbctrls>valedit/detail/published.h"
    "valedit>btnedit/detail/published.h"
    # The SQLite engine stores values as the data layer's fields convert
    # them (numbers and dates as texts, without the locale).
    "vcl_sqlite>vcl/db/detail/storage.h"
    # The test helpers drive the GUI platform's state (capture, modal
    # handler, caret, beeps) as a user's input would change it.
    "vcl_testing>vcl/controls/detail/guistate.h"
    # ... and stop the timers' clock and move it on by hand (TTimerClock).
    "vcl_testing>vcl/windows/detail/timers.h")

function(library_of path out)
  set(result "")
  foreach(E IN LISTS LIBRARY_OF)
    string(REPLACE "=" ";" E "${E}")
    list(GET E 0 dir)
    list(GET E 1 lib)
    if(path MATCHES "^${dir}/")
      set(result ${lib})
    endif()
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE SOURCES ${ROOT}/*.h ${ROOT}/*.cpp)
set(PROBLEMS)
foreach(F IN LISTS SOURCES)
  file(RELATIVE_PATH R ${ROOT} ${F})
  if(R MATCHES "^build" OR R MATCHES "/build")
    continue()
  endif()
  file(STRINGS ${F} LINES REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/detail/")
  foreach(L IN LISTS LINES)
    string(REGEX MATCH "\"([^\"]+)\"" _ "${L}")
    set(HEADER ${CMAKE_MATCH_1})
    library_of(${R} FROM)
    library_of(${HEADER} TO)
    if(FROM AND FROM STREQUAL TO)
      continue()
    endif()
    if(NOT FROM OR NOT "${FROM}>${HEADER}" IN_LIST ALLOWED)
      list(APPEND PROBLEMS "${R} includes ${HEADER}")
    endif()
  endforeach()
endforeach()

if(PROBLEMS)
  list(JOIN PROBLEMS "\n  " PROBLEMS)
  message(FATAL_ERROR "Private headers used across libraries:\n  ${PROBLEMS}")
endif()
