# Build flags and the helpers every layer uses to declare itself and its tests.

if(NOT CMAKE_BUILD_TYPE)
  if(KELBO_SANITIZE)
    set(CMAKE_BUILD_TYPE Debug CACHE STRING "" FORCE)
  else()
    set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
  endif()
endif()

set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG")
add_compile_options(-Wall -Wextra)

# Start-up pays for every shared library a program names and for each of its
# relocations: name only the libraries that are used (--as-needed), keep the
# relative relocations in their packed form, which the loader applies a word
# at a time (-z pack-relative-relocs), and let the linker optimise the
# tables it writes (-O1).
include(CheckLinkerFlag)
foreach(flag -Wl,-O1 -Wl,--as-needed -Wl,-z,pack-relative-relocs)
  string(MAKE_C_IDENTIFIER "KELBO_LINKER${flag}" have)
  check_linker_flag(CXX ${flag} ${have})
  if(${have})
    add_link_options(${flag})
  endif()
endforeach()

if(KELBO_SANITIZE)
  set(KELBO_SAN_FLAGS -O1 -g -fno-omit-frame-pointer
      -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${KELBO_SAN_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

# The thread configuration: ThreadSanitizer over the code that threads
# share (the queue, the clock, timers, backends, the caret).
if(KELBO_TSAN)
  if(KELBO_SANITIZE OR KELBO_FUZZ)
    message(FATAL_ERROR "KELBO_TSAN goes in a build of its own (scripts/dev tsan)")
  endif()
  add_compile_options(-O1 -g -fno-omit-frame-pointer -fsanitize=thread)
  add_link_options(-fsanitize=thread)
endif()

# The fuzz configuration instruments every layer for coverage and checks it
# with the same sanitizers; only the fuzz targets link libFuzzer's main.
if(KELBO_FUZZ)
  add_compile_options(-O1 -g -fno-omit-frame-pointer
      -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# Environment of every test: stop at the first sanitizer report, and keep the
# tests away from the user's own configuration folder.
set(KELBO_TEST_ENV
    "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
    "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1"
    "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config")
set(KELBO_TEST_ENV_HOST_DISPLAY ${KELBO_TEST_ENV})
list(TRANSFORM KELBO_TEST_ENV_HOST_DISPLAY REPLACE "detect_leaks=1" "detect_leaks=0")

if(KELBO_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/KelboLayers.cmake)

# kelbo_layer(name [DEPS lib ...] [RECURSE] [EXCLUDE folder ...])
# A layer is one static library made of the .cpp files of its folder (and of
# its subfolders with RECURSE), tests and the EXCLUDE subfolders excluded. A
# layer without sources yet is an interface library so that others can
# already name it.
function(kelbo_layer name)
  cmake_parse_arguments(L "RECURSE" "" "DEPS;EXCLUDE" ${ARGN})
  if(L_RECURSE)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  else()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  list(FILTER srcs EXCLUDE REGEX "/tests/")
  foreach(folder ${L_EXCLUDE})
    list(FILTER srcs EXCLUDE REGEX "^${CMAKE_CURRENT_SOURCE_DIR}/${folder}/")
  endforeach()
  kelbo_check_layer_links(${name} ${L_DEPS})
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_DEPS})
    kelbo_check_layer_includes(${name} ${name} PART library)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPS})
    kelbo_check_layer_includes(${name}_headers ${name} PART library)
  endif()
endfunction()

# kelbo_use_built_ffmpeg_module(target)
# Test programs and fuzz targets run from the build, away from the program's
# folder: they load the FFmpeg library from where the build put it, a path
# that no program a user runs holds.
function(kelbo_use_built_ffmpeg_module target)
  get_target_property(srcs ${target} SOURCES)
  set(support ${PROJECT_SOURCE_DIR}/platform/tests/built_ffmpeg_module.cpp)
  if(NOT support IN_LIST srcs)
    target_sources(${target} PRIVATE ${support})
  endif()
  target_compile_definitions(${target} PRIVATE KELBO_FFMPEG_MODULE_BUILT="$<TARGET_FILE:kelbo_ffmpeg>")
  add_dependencies(${target} kelbo_ffmpeg)
endfunction()

# kelbo_layer_tests(name [DEPS lib ...] [RECURSE])
# One test program per layer from tests/*.cpp, each test known to CTest; with
# RECURSE also from the tests/ folder of each subfolder, so that a layer split
# by feature keeps each feature's tests beside its code.
function(kelbo_layer_tests name)
  if(NOT KELBO_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "RECURSE" "" "DEPS" ${ARGN})
  if(T_RECURSE)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(FILTER srcs INCLUDE REGEX "/tests/[^/]+$")
    set(recurse RECURSE)
  else()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
    set(recurse "")
  endif()
  if(NOT srcs)
    return()
  endif()
  add_executable(${name}_tests ${srcs})
  kelbo_use_built_ffmpeg_module(${name}_tests)
  target_link_libraries(${name}_tests PRIVATE ${name} ${T_DEPS} GTest::gtest_main)
  kelbo_check_layer_includes(${name}_tests ${name} PART tests USES ${T_DEPS} ${recurse})
  target_compile_definitions(${name}_tests PRIVATE
      KELBO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  kelbo_discover_tests(${name}_tests 300)
endfunction()

# Tests that open a real host window (their names hold "Sdl") share the one
# X display of the test run: two at once take the focus from each other, and
# an inactive window never sees the keys or clicks a test gives it. They hold
# a lock so that CTest runs them one at a time; every other test runs freely.
# They run without LeakSanitizer: the host display libraries that SDL loads
# and unloads leave thread-local blocks behind that crash its scan at exit
# (this toolchain's sanitizer runtime with glibc 2.36). Every headless test
# still checks for leaks, the same code paths among them.
function(kelbo_discover_tests target timeout)
  gtest_discover_tests(${target} TEST_FILTER "-*Sdl*"
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "${KELBO_TEST_ENV}" TIMEOUT ${timeout})
  gtest_discover_tests(${target} TEST_FILTER "*Sdl*"
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "${KELBO_TEST_ENV_HOST_DISPLAY}" TIMEOUT ${timeout}
                 RESOURCE_LOCK host_display)
endfunction()
