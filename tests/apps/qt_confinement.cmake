# Only vcl/qt may include Qt headers (and the benchmark that measures us
# side by side with Qt's widgets): every other source of the project is
# checked for an include of a Qt header.
file(GLOB_RECURSE SOURCES ${ROOT}/*.h ${ROOT}/*.cpp)
set(OFFENDERS)
foreach(F IN LISTS SOURCES)
  file(RELATIVE_PATH R ${ROOT} ${F})
  if(R MATCHES "^(vcl/qt/|bench/qt_compare/|build)" OR R MATCHES "/build")
    continue()
  endif()
  file(STRINGS ${F} LINES REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
  if(LINES)
    list(APPEND OFFENDERS ${R})
  endif()
endforeach()
if(OFFENDERS)
  message(FATAL_ERROR "Qt headers included outside vcl/qt: ${OFFENDERS}")
endif()
