# The installed layout, the component "system", which a plain
# `cmake --install` lays out (the portable program folder that ./run and the
# tools/ scripts start from is the component "portable"):
#   cmake --install build --prefix /usr
#   cpack --config build/CPackConfig.cmake   (the Debian package of it)
# gives
#   PREFIX/lib/kestrovane/        the program folder: executables, skins/,
#                                 Language/, theme files and the factory set
#                                 configure/, data/ (read-only once installed)
#   PREFIX/bin/kestrovane         the launcher (tools/launcher/kestrovane):
#                                 starts the program from the user's own
#                                 folder, $XDG_DATA_HOME/KestrovaneDriver
#   PREFIX/bin/kestrovanectl      a link to the program folder's kestrovanectl
#   PREFIX/share/applications/, share/metainfo/, share/icons/hicolor/
#   PREFIX/lib/udev/rules.d/70-kestrovane.rules
#   PREFIX/share/bash-completion/completions/kestrovanectl
# On Windows the program folder is the install, and the ZIP a user unpacks
# and starts KestrovaneDriver.exe from (with the window: the Qt DLLs and
# plugins it loads and the mingw runtime beside it, every binary stripped;
# without: the command line alone):
#   cmake --install build/windows --prefix build/windows/stage
#   cpack --config build/windows/CPackConfig.cmake
if(WIN32)
  install(FILES resources/windows/README.txt DESTINATION .)
  if(KESTROVANE_GUI)
    include(cmake/WindowsRuntime.cmake)
    set(CPACK_PACKAGE_NAME KestrovaneDriver)
  else()
    set(CPACK_PACKAGE_NAME kestrovanectl)
  endif()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_VENDOR "Kestrovane")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  include(CPack)
  return()
endif()
if(NOT KESTROVANE_GUI OR CMAKE_CROSSCOMPILING)
  return()
endif()

set(kestrovane_folder lib/kestrovane)
set(kestrovane_system COMPONENT system)

install(TARGETS KestrovaneDriver kestrovanectl RUNTIME DESTINATION ${kestrovane_folder}
        ${kestrovane_system})
foreach(dir skins configure data Language)
  install(DIRECTORY resources/${dir} DESTINATION ${kestrovane_folder} ${kestrovane_system})
endforeach()
install(FILES resources/ZQK_A.sui resources/ZQK_B.sui DESTINATION ${kestrovane_folder}
        ${kestrovane_system})
install(FILES ${kestrovane_qt_translations} DESTINATION ${kestrovane_folder}/translations
        ${kestrovane_system})

install(PROGRAMS tools/launcher/kestrovane DESTINATION bin ${kestrovane_system})
# install(FILES) keeps a symbolic link a link.
set(kestrovane_ctl_link ${CMAKE_CURRENT_BINARY_DIR}/system/kestrovanectl)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/system)
file(CREATE_LINK ../lib/kestrovane/kestrovanectl ${kestrovane_ctl_link} SYMBOLIC)
install(FILES ${kestrovane_ctl_link} DESTINATION bin ${kestrovane_system})

install(FILES resources/linux/kestrovane.desktop DESTINATION share/applications
        ${kestrovane_system})
install(FILES resources/linux/kestrovane.metainfo.xml DESTINATION share/metainfo
        ${kestrovane_system})
install(DIRECTORY resources/linux/icons/hicolor DESTINATION share/icons ${kestrovane_system})
install(FILES resources/linux/70-kestrovane.rules DESTINATION lib/udev/rules.d
        ${kestrovane_system})
# Where bash-completion looks for a command's completion, by its name.
install(FILES resources/linux/kestrovanectl.bash-completion
        DESTINATION share/bash-completion/completions RENAME kestrovanectl ${kestrovane_system})

# The package's maintainer, in the form "Name <address>": the Maintainer
# field, the copyright file's contact and the changelog's signature.
set(KESTROVANE_MAINTAINER "KestrovaneDriver Packaging Team <packaging@kestrovane.org>" CACHE STRING
    "The Debian package's maintainer, as \"Name <address>\"")

# The manual pages, the copyright file (machine-readable, DEP-5) and the
# changelog, with the version and maintainer filled in; the pages and the
# changelog gzipped at build time (-n: no name or time stamp, so that two
# builds give the same bytes).
string(TIMESTAMP KESTROVANE_MAN_DATE "%Y-%m-%d" UTC)
set(kestrovane_doc ${CMAKE_CURRENT_BINARY_DIR}/system/doc)
set(kestrovane_gzipped)
foreach(page kestrovane kestrovanectl)
  configure_file(resources/linux/man/${page}.1.in ${kestrovane_doc}/${page}.1 @ONLY)
  list(APPEND kestrovane_gzipped ${kestrovane_doc}/${page}.1)
endforeach()
configure_file(resources/linux/changelog ${kestrovane_doc}/changelog @ONLY)
list(APPEND kestrovane_gzipped ${kestrovane_doc}/changelog)
configure_file(resources/linux/copyright ${kestrovane_doc}/copyright @ONLY)
set(kestrovane_gz_outputs)
foreach(file IN LISTS kestrovane_gzipped)
  add_custom_command(OUTPUT ${file}.gz
    COMMAND gzip -n -9 -c ${file} > ${file}.gz
    DEPENDS ${file}
    COMMENT "Compressing ${file}")
  list(APPEND kestrovane_gz_outputs ${file}.gz)
endforeach()
add_custom_target(kestrovane_system_doc ALL DEPENDS ${kestrovane_gz_outputs})
install(FILES ${kestrovane_doc}/kestrovane.1.gz ${kestrovane_doc}/kestrovanectl.1.gz
        DESTINATION share/man/man1 ${kestrovane_system})
install(FILES ${kestrovane_doc}/changelog.gz ${kestrovane_doc}/copyright
        DESTINATION share/doc/kestrovane ${kestrovane_system})

# The Debian package of the installed layout: its dependencies come from the
# built executables (dpkg-shlibdeps), plus what they load at run time; its
# post-install reloads the udev rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrovane)
set(CPACK_PACKAGE_VENDOR "Kestrovane")
set(CPACK_PACKAGE_CONTACT "${KESTROVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTROVANE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration program of the Kestrovane gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "Sets the buttons, DPI levels, lights, modes and macros of the Kestrovane\n"
    "USB gaming mouse. Comes with kestrovanectl, its command-line companion,\n"
    "and the udev rule that lets the logged-in user open the mouse.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};system;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin is loaded, not linked; udev runs the postinst.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, udev")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/resources/linux/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
