# Third-party libraries. On Linux all are installed packages (Debian's). The
# macOS app must keep launching after Homebrew upgrades or removes a library,
# so there simdjson and utf8proc are built from pinned releases and linked
# in statically. GoogleTest and Google Benchmark, which only the tests and
# benchmarks use, come from packages and fall back to FetchContent.
include(FetchContent)

if(APPLE)
  set(pellimore_static_deps_default ON)
else()
  set(pellimore_static_deps_default OFF)
endif()
option(PELLIMORE_STATIC_DEPS
  "Build simdjson and utf8proc from pinned releases and link them statically"
  ${pellimore_static_deps_default})

add_library(pellimore_utf8proc INTERFACE)
if(PELLIMORE_STATIC_DEPS)
  if(CMAKE_VERSION VERSION_LESS 3.25)
    message(FATAL_ERROR "PELLIMORE_STATIC_DEPS needs CMake 3.25 or later")
  endif()
  # A function, so that these settings reach only the two libraries.
  function(pellimore_fetch_static_deps)
    set(BUILD_SHARED_LIBS OFF)
    set(UTF8PROC_INSTALL OFF)
    FetchContent_Declare(simdjson
      GIT_REPOSITORY https://github.com/simdjson/simdjson.git
      GIT_TAG v3.13.0
      GIT_SHALLOW TRUE
      SYSTEM)
    FetchContent_Declare(utf8proc
      GIT_REPOSITORY https://github.com/JuliaStrings/utf8proc.git
      GIT_TAG v2.11.3
      GIT_SHALLOW TRUE
      SYSTEM)
    FetchContent_MakeAvailable(simdjson utf8proc)
  endfunction()
  pellimore_fetch_static_deps()
  target_link_libraries(pellimore_utf8proc INTERFACE utf8proc)
else()
  find_package(simdjson REQUIRED)
  find_path(UTF8PROC_INCLUDE_DIR utf8proc.h REQUIRED)
  find_library(UTF8PROC_LIBRARY NAMES utf8proc REQUIRED)
  target_include_directories(pellimore_utf8proc INTERFACE ${UTF8PROC_INCLUDE_DIR})
  target_link_libraries(pellimore_utf8proc INTERFACE ${UTF8PROC_LIBRARY})
endif()

if(NOT APPLE)
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
endif()

if(PELLIMORE_BUILD_TESTS)
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    FetchContent_Declare(googletest
      URL https://github.com/google/googletest/archive/refs/tags/v1.14.0.tar.gz)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    FetchContent_MakeAvailable(googletest)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gmock ALIAS gmock)
  endif()
  include(GoogleTest)
endif()

if(PELLIMORE_BUILD_BENCH)
  find_package(benchmark QUIET)
  if(NOT benchmark_FOUND)
    FetchContent_Declare(benchmark
      URL https://github.com/google/benchmark/archive/refs/tags/v1.8.3.tar.gz)
    set(BENCHMARK_ENABLE_TESTING OFF CACHE BOOL "" FORCE)
    FetchContent_MakeAvailable(benchmark)
  endif()
endif()
