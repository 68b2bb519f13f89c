# What KestrovaneDriver.exe loads besides the system's DLLs, installed into
# the program folder: the Qt DLLs, the plugins it needs (the windows
# platform, the GIF reader for the loading animation, the Vista style) and
# the mingw runtime that Qt and our binaries share. Then every .exe and .dll
# of the folder is stripped: the Qt DLLs go from 35 to about 23 MB, the
# runtime from 24.7 to about 2 MB.
get_target_property(kestrovane_qtcore Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT kestrovane_qtcore)
  get_target_property(kestrovane_qtcore Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(kestrovane_qt_bin "${kestrovane_qtcore}" DIRECTORY)
get_filename_component(kestrovane_qt_root "${kestrovane_qt_bin}" DIRECTORY)
install(FILES ${kestrovane_qt_bin}/Qt6Core.dll ${kestrovane_qt_bin}/Qt6Gui.dll
              ${kestrovane_qt_bin}/Qt6Widgets.dll DESTINATION .)
install(FILES ${kestrovane_qt_root}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${kestrovane_qt_root}/plugins/imageformats/qgif.dll DESTINATION imageformats)
install(FILES ${kestrovane_qt_root}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)

# The runtime DLLs, where the compiler finds them.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE kestrovane_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${kestrovane_dll}")
    find_file(kestrovane_dll_${dll} ${dll} PATHS /usr/x86_64-w64-mingw32/lib
              /usr/lib/gcc/x86_64-w64-mingw32/12-posix NO_DEFAULT_PATH)
    set(kestrovane_dll ${kestrovane_dll_${dll}})
  endif()
  if(NOT EXISTS "${kestrovane_dll}")
    message(FATAL_ERROR "the mingw runtime ${dll} was not found")
  endif()
  install(FILES ${kestrovane_dll} DESTINATION .)
endforeach()

# Last of all install rules (this file is included at the end of the top
# CMakeLists.txt): strip what was installed.
install(CODE "
  file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\"
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.exe\")
  foreach(binary IN LISTS binaries)
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \"\${binary}\" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR \"could not strip \${binary}\")
    endif()
  endforeach()")
