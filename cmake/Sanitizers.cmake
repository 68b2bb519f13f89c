# AddressSanitizer + UndefinedBehaviorSanitizer for every target when asked.
if(KESTROVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# libFuzzer targets: clang only; the library code gets coverage instrumentation.
if(KESTROVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KESTROVANE_FUZZ needs clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# kestrovane_fuzz_target(name source): the libFuzzer executable fuzz_<name>
# over the core.
function(kestrovane_fuzz_target name source)
  add_executable(fuzz_${name} ${source})
  target_link_libraries(fuzz_${name} PRIVATE kestrovane_core)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endfunction()
