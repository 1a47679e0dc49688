# Install-time part of the layout: runs inside `cmake --install` (and CPack)
# with CMAKE_INSTALL_PREFIX and DESTDIR as they are then.
set(prefix "${CMAKE_INSTALL_PREFIX}")
set(root "$ENV{DESTDIR}")
set(install_folder "${prefix}/${HALVENRODE_LIBDIR}/halvenrode")
if(prefix STREQUAL "/usr")
  set(sysconf "/etc")
else()
  set(sysconf "${prefix}/etc")
endif()

function(halvenrode_link target link)
  get_filename_component(folder "${root}${link}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(REMOVE "${root}${link}")
  file(CREATE_LINK "${target}" "${root}${link}" SYMBOLIC)
  message(STATUS "Installing: ${root}${link} -> ${target}")
endfunction()

# The launcher mode starts "Halvenrode.exe": the saver under that name.
halvenrode_link("halvenrode" "${install_folder}/Halvenrode.exe")
# The saver finds its artwork in the installation folder.
foreach(file ${HALVENRODE_ARTWORK})
  if(EXISTS "${root}${prefix}/${HALVENRODE_DATADIR}/halvenrode/${file}")
    halvenrode_link("../../${HALVENRODE_DATADIR}/halvenrode/${file}" "${install_folder}/${file}")
  endif()
endforeach()
halvenrode_link("../${HALVENRODE_LIBDIR}/halvenrode/halvenrode" "${prefix}/bin/halvenrode")
halvenrode_link("../${HALVENRODE_LIBDIR}/halvenrode/config.exe" "${prefix}/bin/halvenrode-config")
halvenrode_link("../../${HALVENRODE_LIBDIR}/halvenrode/halvenrode"
                "${prefix}/libexec/xscreensaver/halvenrode")

set(HALVENRODE_INSTALL_FOLDER "${install_folder}")
configure_file("${HALVENRODE_TEMPLATES}/registry.ini.in" "${root}${sysconf}/quorvel/registry.ini" @ONLY)
message(STATUS "Installing: ${root}${sysconf}/quorvel/registry.ini")
configure_file("${HALVENRODE_TEMPLATES}/halvenrode-config.desktop.in"
               "${root}${prefix}/share/applications/halvenrode-config.desktop" @ONLY)
message(STATUS "Installing: ${root}${prefix}/share/applications/halvenrode-config.desktop")
