# Warning flags of every target of ours; -Werror under CI (KESTROVANE_WERROR).
function(kestrovane_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
    return()
  endif()
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual -Wformat=2
    -Wimplicit-fallthrough -Wnull-dereference)
  if(KESTROVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
