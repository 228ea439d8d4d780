# Installing valedit: the static libraries, their public headers under
# include/valedit (never a detail/ folder, which holds what a library keeps
# to itself), the CMake package "valedit" and a pkg-config file per library.
# Each library is a component of the package with a targets file of its own
# (find_package(valedit COMPONENTS validate) loads the validators and what
# they link, and looks for the outside packages those need: ICU, not Qt, not
# SQLite, not libpq). The test helpers are the component "testing"
# (valedit::vcl_testing and vcl/testing.h); the programs are installed by
# apps/.
include(CMakePackageConfigHelpers)

foreach(dir vcl textman mathman validate resources btnedit calform valedit design qtbridge)
  install(DIRECTORY ${VALEDIT_ROOT}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/valedit/${dir}
          FILES_MATCHING PATTERN "*.h" PATTERN "testing.h" EXCLUDE PATTERN "detail" EXCLUDE)
endforeach()

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/valedit)
install(FILES ${VALEDIT_ROOT}/vcl/testing.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/valedit/vcl
        COMPONENT testing)
install(EXPORT valedit-testing-targets NAMESPACE valedit:: DESTINATION ${package_dir}
        COMPONENT testing)

# The outside packages a link names, as the package config looks for them
# and as pkg-config knows them.
set(valedit_find_ICU::uc "ICU COMPONENTS uc i18n")
set(valedit_find_ICU::i18n "ICU COMPONENTS uc i18n")
set(valedit_find_Qt6::Gui "Qt6 COMPONENTS Gui")
set(valedit_find_Qt6::Widgets "Qt6 COMPONENTS Widgets")
set(valedit_find_SQLite::SQLite3 "SQLite3")
set(valedit_pc_ICU::uc icu-uc)
set(valedit_pc_ICU::i18n icu-i18n)
set(valedit_pc_Qt6::Gui Qt6Gui)
set(valedit_pc_Qt6::Widgets Qt6Widgets)
set(valedit_pc_SQLite::SQLite3 sqlite3)

# For each library: its targets file, the components it needs and the
# outside packages it looks for (written into the package config), and its
# pkg-config file.
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH pc_to_prefix /${pc_dir} /)
get_property(VALEDIT_COMPONENTS GLOBAL PROPERTY VALEDIT_LIBRARIES)
set(VALEDIT_COMPONENT_TABLE "")
foreach(lib IN LISTS VALEDIT_COMPONENTS)
  install(EXPORT valedit-${lib}-targets NAMESPACE valedit:: DESTINATION ${package_dir})
  get_target_property(links ${lib} LINK_LIBRARIES)
  if(NOT links)
    get_target_property(links ${lib} INTERFACE_LINK_LIBRARIES)
  endif()
  set(uses "")
  set(finds "")
  set(requires "")
  foreach(link IN LISTS links)
    if(link IN_LIST VALEDIT_COMPONENTS)
      list(APPEND uses ${link})
      list(APPEND requires valedit-${link})
    elseif(DEFINED valedit_find_${link})
      list(APPEND finds "${valedit_find_${link}}")
      list(APPEND requires ${valedit_pc_${link}})
    elseif(link)
      message(FATAL_ERROR "${lib} links ${link}, which the package does not know how to find")
    endif()
  endforeach()
  list(REMOVE_DUPLICATES finds)
  list(REMOVE_DUPLICATES requires)
  list(JOIN uses " " uses)
  list(JOIN finds "|" finds)
  string(APPEND VALEDIT_COMPONENT_TABLE
         "set(_valedit_uses_${lib} ${uses})\nset(_valedit_finds_${lib} \"${finds}\")\n")

  list(JOIN requires " " pc_requires)
  get_target_property(type ${lib} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    set(pc_libs "")
  else()
    get_target_property(pc_output ${lib} OUTPUT_NAME)
    if(NOT pc_output)
      set(pc_output ${lib})
    endif()
    set(pc_libs "-L\${libdir} -l${pc_output}")
  endif()
  set(pc_name valedit-${lib})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/valedit.pc.in ${CMAKE_CURRENT_BINARY_DIR}/${pc_name}.pc
                 @ONLY)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${pc_name}.pc DESTINATION ${pc_dir})
endforeach()

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/valedit-config.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/valedit-config.cmake
                              INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/valedit-config-version.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/valedit-config.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/valedit-config-version.cmake DESTINATION ${package_dir})
