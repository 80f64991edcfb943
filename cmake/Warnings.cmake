function(hushmill_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wold-style-cast
    -Wnon-virtual-dtor -Wshadow)
  if(HUSHMILL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(HUSHMILL_ASAN OR HUSHMILL_FUZZ)
    # Undefined behaviour ends the program like a memory fault does, so no test passes over it.
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined
      -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(HUSHMILL_FUZZ)
    # Coverage of every library the fuzz targets reach, so that the fuzzer sees new paths.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()
