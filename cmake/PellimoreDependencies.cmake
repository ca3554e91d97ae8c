# Third-party libraries, all found as installed packages (Debian's on Linux,
# Homebrew's on a Mac). GoogleTest and Google Benchmark fall back to
# FetchContent where no package is installed.
include(FetchContent)

find_package(simdjson REQUIRED)

find_path(UTF8PROC_INCLUDE_DIR utf8proc.h REQUIRED)
find_library(UTF8PROC_LIBRARY NAMES utf8proc REQUIRED)
add_library(pellimore_utf8proc INTERFACE)
target_include_directories(pellimore_utf8proc INTERFACE ${UTF8PROC_INCLUDE_DIR})
target_link_libraries(pellimore_utf8proc INTERFACE ${UTF8PROC_LIBRARY})

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
