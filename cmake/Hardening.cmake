# Debian's hardening of the programs it ships (dpkg-buildflags with
# hardening=+all): checked string, memory and formatted-output calls where
# the compiler knows a buffer's size, a guard on the stack of functions that
# hold arrays, and relocations all bound at start, then made read-only. The
# optimisation level stays the build type's. Left out of unoptimised builds,
# where fortifying does nothing, and of the sanitizer and fuzzer builds, whose
# own checks cover the same faults and which the checked calls would bypass.
if(CMAKE_BUILD_TYPE MATCHES "^(RelWithDebInfo|Release|MinSizeRel)$" AND NOT BRELLOW_FUZZERS
   AND NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  add_compile_definitions(_FORTIFY_SOURCE=2)
  add_compile_options(-fstack-protector-strong)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
