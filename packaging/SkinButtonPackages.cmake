# The SkinButton packages: the runtime library (libskinbutton4), its development files
# (libskinbutton-dev) and the Designer plugin, built by CPack from their own configuration
# (CPackSkinButtonConfig.cmake) so that they carry the library's version (4.1.0) and changelog,
# not Zarvok's.
# `make package` builds both sets; zarvok depends on libskinbutton4 (>= 4.0) as the shlibs file
# tells every other program linked against it.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME zarvok)
set(CPACK_DEBIAN_UNSPECIFIED_FILE_NAME DEB-DEFAULT)
set(skinbutton_package libskinbutton${SKINBUTTON_VERSION_MAJOR})
set(skinbutton_shlibs_dependency "${skinbutton_package} (>= ${SKINBUTTON_VERSION_MAJOR}.0)")
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_DEPENDS "${skinbutton_shlibs_dependency}")
# dpkg-shlibdeps finds the library in the build tree (it is not on the system yet); the
# dependency on its package is the line above.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/skinbutton/core)

# Each package's description starts with its own synopsis; CPack would put the common summary
# in front of every one of them.
set(CPACK_DEBIAN_UNSPECIFIED_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "")

# Each package carries the copyright Debian asks for, and the library's own changelog.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/libskinbutton4/changelog.in ${out}/libskinbutton/changelog @ONLY)
add_custom_command(OUTPUT ${out}/libskinbutton/changelog.gz
  COMMAND gzip -9nc ${out}/libskinbutton/changelog > ${out}/libskinbutton/changelog.gz
  DEPENDS ${out}/libskinbutton/changelog
  VERBATIM)
add_custom_target(skinbutton_changelog ALL DEPENDS ${out}/libskinbutton/changelog.gz)
foreach(component_package skinbutton_runtime:${skinbutton_package} skinbutton_dev:libskinbutton-dev
                          designer:skinbutton-designer-plugin skinbutton_doc:libskinbutton-doc)
  string(REPLACE ":" ";" pair ${component_package})
  list(GET pair 0 component)
  list(GET pair 1 package)
  install(FILES ${out}/copyright ${out}/libskinbutton/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
    COMPONENT ${component})
endforeach()

# The symbols file (each symbol with the version that brought it, checked against the library by
# the test skinbutton_symbols_listed), so that a program depends on the version whose symbols it
# uses; the shlibs file for tools that read no symbols, asking for this minor version, the last
# that added to the ABI (the ABI policy in the README); and the ldconfig trigger.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/libskinbutton4/symbols ${out}/libskinbutton/symbols COPYONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/libskinbutton4/shlibs.in ${out}/libskinbutton/shlibs @ONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/libskinbutton4/triggers ${out}/libskinbutton/triggers COPYONLY)

file(WRITE ${CMAKE_BINARY_DIR}/CPackSkinButtonConfig.cmake "# The SkinButton packages (see packaging/SkinButtonPackages.cmake).
include(\"${CMAKE_BINARY_DIR}/CPackConfig.cmake\")
set(CPACK_PACKAGE_NAME skinbutton)
set(CPACK_PACKAGE_VERSION ${SKINBUTTON_VERSION})
set(CPACK_COMPONENTS_ALL skinbutton_runtime skinbutton_dev designer skinbutton_doc)
set(CPACK_COMPONENT_SKINBUTTON_DEV_DEPENDS skinbutton_runtime)
set(CPACK_COMPONENT_DESIGNER_DEPENDS skinbutton_runtime)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS \"${CMAKE_BINARY_DIR}/skinbutton/core\")

set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_NAME ${skinbutton_package})
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_CONTROL_EXTRA \"${out}/libskinbutton/shlibs;${out}/libskinbutton/symbols;${out}/libskinbutton/triggers\")
# Pictures stored as SVG (Picture::load) are read by Qt's SVG image plugin, in libqt6svg6 on Debian 12.
set(CPACK_DEBIAN_SKINBUTTON_RUNTIME_PACKAGE_RECOMMENDS libqt6svg6)
set(CPACK_POST_BUILD_SCRIPTS \"${CMAKE_CURRENT_SOURCE_DIR}/libskinbutton4/finish-packages.cmake\")
set(CPACK_COMPONENT_SKINBUTTON_RUNTIME_DESCRIPTION \"custom-drawn Qt push button (library)
SkinButton is a Qt Widgets button (a QAbstractButton) drawn in one of eleven
looks, with balloon tooltips, toggle behaviour and properties stored as
JSON. This package holds the shared library.\")

set(CPACK_DEBIAN_SKINBUTTON_DEV_PACKAGE_NAME libskinbutton-dev)
set(CPACK_DEBIAN_SKINBUTTON_DEV_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_SKINBUTTON_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_SKINBUTTON_DEV_PACKAGE_DEPENDS \"qt6-base-dev\")
set(CPACK_COMPONENT_SKINBUTTON_DEV_DESCRIPTION \"custom-drawn Qt push button (development files)
SkinButton is a Qt Widgets button (a QAbstractButton) drawn in one of eleven
looks, with balloon tooltips, toggle behaviour and properties stored as
JSON. This package holds the headers, the CMake package and the pkg-config
file.\")

set(CPACK_DEBIAN_SKINBUTTON_DOC_PACKAGE_NAME libskinbutton-doc)
set(CPACK_DEBIAN_SKINBUTTON_DOC_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_SKINBUTTON_DOC_PACKAGE_SECTION doc)
set(CPACK_DEBIAN_SKINBUTTON_DOC_PACKAGE_ARCHITECTURE all)
set(CPACK_COMPONENT_SKINBUTTON_DOC_DESCRIPTION \"custom-drawn Qt push button (API reference)
SkinButton is a Qt Widgets button (a QAbstractButton) drawn in one of eleven
looks, with balloon tooltips, toggle behaviour and properties stored as
JSON. This package holds its API reference in HTML and as a Qt Help file
(skinbutton.qch) for Qt Creator and Qt Assistant.\")

set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME skinbutton-designer-plugin)
set(CPACK_DEBIAN_DESIGNER_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_DESIGNER_DESCRIPTION \"custom-drawn Qt push button (Qt Designer plugin)
SkinButton is a Qt Widgets button (a QAbstractButton) drawn in one of eleven
looks, with balloon tooltips, toggle behaviour and properties stored as
JSON. This package shows it in Qt Designer's widget box and property editor.\")
")
