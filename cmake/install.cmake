# Installing valedit: the static libraries, their headers under
# include/valedit, the CMake package "valedit" (find_package(valedit CONFIG)
# gives the valedit:: targets) and a pkg-config file for the validators,
# which need nothing of the GUI. The test helpers are the component
# "testing" (valedit::vcl_testing and vcl/testing.h); the programs are
# installed by apps/.
include(CMakePackageConfigHelpers)

foreach(dir vcl textman mathman validate resources btnedit calform valedit design qtbridge)
  install(DIRECTORY ${VALEDIT_ROOT}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/valedit/${dir}
          FILES_MATCHING PATTERN "*.h" PATTERN "testing.h" EXCLUDE)
endforeach()

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/valedit)
install(EXPORT valedit-targets NAMESPACE valedit:: DESTINATION ${package_dir})
install(FILES ${VALEDIT_ROOT}/vcl/testing.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/valedit/vcl
        COMPONENT testing)
install(EXPORT valedit-testing-targets NAMESPACE valedit:: DESTINATION ${package_dir}
        COMPONENT testing)

# Each library is a component of the package (find_package(valedit
# COMPONENTS validate)), and so is testing where it was installed.
get_property(VALEDIT_COMPONENTS GLOBAL PROPERTY VALEDIT_LIBRARIES)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/valedit-config.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/valedit-config.cmake
                              INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/valedit-config-version.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/valedit-config.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/valedit-config-version.cmake DESTINATION ${package_dir})

# The prefix is found from where the file lies, so the package can be
# installed under any prefix (cmake --install --prefix) and still be right.
set(pc_dir ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH pc_to_prefix /${pc_dir} /)
configure_file(${CMAKE_CURRENT_LIST_DIR}/valedit-validate.pc.in
               ${CMAKE_CURRENT_BINARY_DIR}/valedit-validate.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/valedit-validate.pc DESTINATION ${pc_dir})
