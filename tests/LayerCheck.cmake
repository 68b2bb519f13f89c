# Fails when a file of the core's folders reaches up into the program or the
# toolkit: config/, device/ and macro/ include neither app/ nor Qt, so that
# the core builds alone (and for Windows with mingw-w64).
# Run as: cmake -DSOURCE_DIR=... -P LayerCheck.cmake
set(offences "")
foreach(folder config device macro)
  file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](app/|Q)")
    # The loading window lives in device/ and is Qt by design; it is not core.
    get_filename_component(name "${source}" NAME_WE)
    if(includes AND NOT name STREQUAL "Loading")
      string(REPLACE "${SOURCE_DIR}/" "" relative "${source}")
      list(APPEND offences "${relative}: ${includes}")
    endif()
  endforeach()
endforeach()
if(offences)
  list(JOIN offences "\n  " text)
  message(FATAL_ERROR "core files that include app/ or Qt:\n  ${text}")
endif()
