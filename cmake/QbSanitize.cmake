# Instrumented builds, each in a build folder of its own.
#
# QB_SANITIZE: AddressSanitizer and UndefinedBehaviorSanitizer on everything
#   built here; the first report ends the program with a failure. The test
#   suite runs in such a build too (scripts/test: build-asan).
# QB_FUZZ (clang only): the same sanitizers plus libFuzzer's coverage
#   instrumentation; the fuzz targets link libFuzzer itself (scripts/fuzz:
#   build-fuzz).
#
# Qt and the system libraries are not instrumented. The vptr check of
# UndefinedBehaviorSanitizer still sees Qt's inline code compiled into ours
# (QPointer<T> casts to T, which a half-destroyed object no longer is); it
# stays on, and our code avoids the pattern (see ChannelEditor).
option(QB_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QB_FUZZ "Build the fuzz targets with libFuzzer (clang)" OFF)

set(qb_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
if(QB_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QB_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link ${qb_sanitizers})
  add_link_options(-fsanitize=address,undefined)
elseif(QB_SANITIZE)
  add_compile_options(${qb_sanitizers})
  add_link_options(-fsanitize=address,undefined)
endif()
