# Run by cpack after it built the SkinButton packages (CPACK_POST_BUILD_SCRIPTS), for what CPack
# cannot say itself:
# - Multi-Arch (CPack writes no such field): the library, its development files and the Designer
#   plugin install side by side for several architectures (everything architecture-specific
#   lies in the multiarch folder; the headers are the same for all), the reference is "foreign";
# - for a library under /usr/lib CPack writes a postinst and a postrm that only call ldconfig, on
#   top of the ldconfig trigger the package declares (triggers, beside this file), which dpkg
#   runs anyway; lintian warns about such calls. The library package goes without the two.
function(multi_arch_of name result)
  if(name MATCHES "^libskinbutton-doc_")
    set(${result} foreign PARENT_SCOPE)
  elseif(name MATCHES "^(libskinbutton[0-9]+|libskinbutton-dev|skinbutton-designer-plugin)_")
    set(${result} same PARENT_SCOPE)
  else()
    set(${result} "" PARENT_SCOPE)
  endif()
endfunction()

function(drop_ldconfig_calls tree name)
  foreach(script IN ITEMS postinst postrm)
    if(EXISTS "${tree}/DEBIAN/${script}")
      file(STRINGS "${tree}/DEBIAN/${script}" lines)
      list(FILTER lines EXCLUDE REGEX "^(#!/bin/sh|set -e|if \\[ \"\\$1\" = \"(configure|remove)\" \\]; then|[\t ]*ldconfig|fi|)$")
      if(lines)
        message(FATAL_ERROR "${name}: ${script} does more than call ldconfig: ${lines}")
      endif()
      file(REMOVE "${tree}/DEBIAN/${script}")
    endif()
  endforeach()
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name "${package}" NAME)
  multi_arch_of("${name}" multi_arch)
  if(NOT multi_arch)
    continue()
  endif()
  set(tree "${package}.tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND dpkg-deb -R "${package}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
  file(READ "${tree}/DEBIAN/control" control)
  string(STRIP "${control}" control) # CPack ends the paragraph with an empty line
  file(WRITE "${tree}/DEBIAN/control" "${control}\nMulti-Arch: ${multi_arch}\n")
  if(name MATCHES "^libskinbutton[0-9]+_")
    drop_ldconfig_calls("${tree}" "${name}")
  endif()
  execute_process(COMMAND dpkg-deb --root-owner-group -b "${tree}" "${package}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${tree}")
endforeach()
