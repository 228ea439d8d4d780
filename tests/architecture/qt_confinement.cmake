# Qt stays behind two doors: vcl/qt, the GUI platform's backend (QtGui
# only), and qtbridge, the bridge to Qt Widgets programs (the only library
# code with QtWidgets). Outside the library, only the programs that work
# with Qt's widgets on purpose include Qt: the bridge's tests, the example
# of a Qt Widgets window and the benchmark that measures us beside Qt.
# WIDGETS_DIR is Qt's QtWidgets include folder, to tell its headers apart.
set(QT_ALLOWED "^(vcl/qt|qtbridge|tests/qtbridge|bench/qt_compare)/|^examples/qt_window[.]cpp$")
set(WIDGETS_ALLOWED "^(qtbridge|tests/qtbridge|bench/qt_compare)/|^examples/qt_window[.]cpp$")

file(GLOB_RECURSE SOURCES ${ROOT}/*.h ${ROOT}/*.cpp)
set(OUTSIDE)
set(WIDGETS)
foreach(F IN LISTS SOURCES)
  file(RELATIVE_PATH R ${ROOT} ${F})
  if(R MATCHES "^build" OR R MATCHES "/build")
    continue()
  endif()
  file(STRINGS ${F} LINES REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
  if(NOT LINES)
    continue()
  endif()
  if(NOT R MATCHES "${QT_ALLOWED}")
    list(APPEND OUTSIDE ${R})
  endif()
  foreach(L IN LISTS LINES)
    string(REGEX MATCH "[<\"]([A-Za-z/]+)" _ "${L}")
    string(REGEX REPLACE "^QtWidgets/" "" HEADER "${CMAKE_MATCH_1}")
    if(EXISTS ${WIDGETS_DIR}/${HEADER} AND NOT R MATCHES "${WIDGETS_ALLOWED}")
      list(APPEND WIDGETS ${R})
    endif()
  endforeach()
endforeach()
if(OUTSIDE)
  message(FATAL_ERROR "Qt headers included outside vcl/qt and qtbridge: ${OUTSIDE}")
endif()
if(WIDGETS)
  list(REMOVE_DUPLICATES WIDGETS)
  message(FATAL_ERROR "QtWidgets headers included outside qtbridge: ${WIDGETS}")
endif()
