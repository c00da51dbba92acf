# The SkinButton packages beside zarvok: the runtime library, its development files and the
# Designer plugin; zarvok and the other two depend on the library of the same version.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified skinbutton_runtime skinbutton_dev designer)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_UNSPECIFIED_DEPENDS skinbutton_runtime)
set(CPACK_COMPONENT_SKINBUTTON_DEV_DEPENDS skinbutton_runtime)
set(CPACK_COMPONENT_DESIGNER_DEPENDS skinbutton_runtime)
# The library is not on the system yet when dpkg-shlibdeps reads zarvok and the plugin: it is
# found in the runtime package's staging folder, a sibling of theirs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ../skinbutton_runtime/usr/${CMAKE_INSTALL_LIBDIR})

set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME zarvok)
set(CPACK_DEBIAN_UNSPECIFIED_FILE_NAME DEB-DEFAULT)

set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_NAME libskinbutton3)
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_COMPONENT_SKINBUTTON_RUNTIME_DESCRIPTION "custom-drawn Qt push button (library)
SkinButton is a Qt Widgets push button drawn in one of eleven looks, with
balloon tooltips, toggle behaviour and properties stored as JSON. This
package holds the shared library.")

set(CPACK_DEBIAN_SKINBUTTON_DEV_PACKAGE_NAME libskinbutton-dev)
set(CPACK_DEBIAN_SKINBUTTON_DEV_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_SKINBUTTON_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_SKINBUTTON_DEV_PACKAGE_DEPENDS "qt6-base-dev")
set(CPACK_COMPONENT_SKINBUTTON_DEV_DESCRIPTION "custom-drawn Qt push button (development files)
SkinButton is a Qt Widgets push button drawn in one of eleven looks, with
balloon tooltips, toggle behaviour and properties stored as JSON. This
package holds the headers, the CMake package and the pkg-config file.")

set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME skinbutton-designer-plugin)
set(CPACK_DEBIAN_DESIGNER_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_DESIGNER_DESCRIPTION "custom-drawn Qt push button (Qt Designer plugin)
SkinButton is a Qt Widgets push button drawn in one of eleven looks, with
balloon tooltips, toggle behaviour and properties stored as JSON. This
package shows it in Qt Designer's widget box and property editor.")

# Each package's description starts with its own synopsis; CPack would put the common summary
# in front of every one of them.
set(CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")
# A shlibs file and the ldconfig trigger for the library package.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/libskinbutton3/triggers)
# Each package carries the copyright and changelog Debian asks for.
foreach(component_package skinbutton_runtime:libskinbutton3 skinbutton_dev:libskinbutton-dev
                          designer:skinbutton-designer-plugin)
  string(REPLACE ":" ";" pair ${component_package})
  list(GET pair 0 component)
  list(GET pair 1 package)
  install(FILES ${out}/copyright ${out}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
    COMPONENT ${component})
endforeach()
