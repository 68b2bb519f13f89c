# kestrovane_layer(name [lower layers...]): the static library of one folder,
# linking only the layers below it. Every folder includes its headers from the
# source root ("base/Error.h"); tests/LayerCheck.cmake holds which folder may
# include which.
function(kestrovane_layer name)
  add_library(${name} STATIC)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_features(${name} PUBLIC cxx_std_20)
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
  kestrovane_warnings(${name})
endfunction()
