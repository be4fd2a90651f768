# Sanitizer build: -DBRAMBLEHOLT_SANITIZE=ON builds every target of ours with
# AddressSanitizer and UndefinedBehaviorSanitizer. The flags travel on
# brambleholt_flags, which the core library, the game and every test link.
# Any finding ends the process with a non-zero status (no recovery), so a test
# that trips a sanitizer fails. scripts/sanitize configures and runs this build.

option(BRAMBLEHOLT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(BRAMBLEHOLT_SANITIZE)
  # GCC leaves float-to-integer overflow out of "undefined"; the game turns
  # float positions and rates into integers, so it is asked for by name.
  set(_brambleholt_sanitizers -fsanitize=address,undefined,float-cast-overflow)
  target_compile_options(brambleholt_flags INTERFACE
    ${_brambleholt_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  # Bounds checks in the standard containers' operator[] and friends.
  target_compile_definitions(brambleholt_flags INTERFACE _GLIBCXX_ASSERTIONS)
  target_link_options(brambleholt_flags INTERFACE ${_brambleholt_sanitizers})
endif()

# Fuzzing build (-DBRAMBLEHOLT_FUZZ=ON, clang only): every target gets
# libFuzzer's coverage hooks besides the two sanitizers, so the fuzzer sees
# which branches of the map reader and the World an input reaches; the fuzzer
# executable itself (tests/fuzz) adds libFuzzer's main. scripts/fuzz builds it.
option(BRAMBLEHOLT_FUZZ "Build the libFuzzer map fuzzer (needs clang)" OFF)

if(BRAMBLEHOLT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "BRAMBLEHOLT_FUZZ needs clang: configure with CXX=clang++")
  endif()
  set(_brambleholt_fuzz_sanitizers -fsanitize=fuzzer-no-link,address,undefined)
  target_compile_options(brambleholt_flags INTERFACE
    ${_brambleholt_fuzz_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  target_compile_definitions(brambleholt_flags INTERFACE _GLIBCXX_ASSERTIONS)
  target_link_options(brambleholt_flags INTERFACE -fsanitize=address,undefined)
endif()

# Leak checking under Mesa: cmake/sanitize_gl_driver.cpp keeps the GL driver
# loaded until exit, so its own allocations are not taken for leaks of ours.
# Every program linking the core library creates GL textures before main, so
# each of them gets it; the library is defined later, hence the deferral.
if(BRAMBLEHOLT_SANITIZE OR BRAMBLEHOLT_FUZZ)
  set(_brambleholt_gl_driver_source ${CMAKE_CURRENT_LIST_DIR}/sanitize_gl_driver.cpp)
  cmake_language(DEFER CALL target_sources brambleholt_core INTERFACE ${_brambleholt_gl_driver_source})
endif()
