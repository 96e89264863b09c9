# Warnings and sanitizers shared by every target of the project.
add_library(qv_options INTERFACE)
target_compile_options(qv_options INTERFACE -Wall -Wextra)

# Links go through lld when it is installed (Debian package lld): the many test,
# tool and fuzz programs link several times faster than with the default linker.
option(QV_LLD "Link with lld when it is installed" ON)
if(QV_LLD)
  find_program(QV_LLD_PROGRAM ld.lld)
  if(QV_LLD_PROGRAM)
    add_link_options(-fuse-ld=lld)
  endif()
endif()

# Tests, tools and benchmarks see the whole tree (their folders add the
# source root); the libraries see only their layer (below).

if(QV_SANITIZE)
  string(REPLACE "," ";" _qv_sanitizers "${QV_SANITIZE}")
  foreach(_s IN LISTS _qv_sanitizers)
    target_compile_options(qv_options INTERFACE -fsanitize=${_s} -fno-omit-frame-pointer)
    target_link_options(qv_options INTERFACE -fsanitize=${_s})
  endforeach()
  if("undefined" IN_LIST _qv_sanitizers)
    target_compile_options(qv_options INTERFACE -fno-sanitize-recover=undefined)
  endif()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

# One static library per source folder; every .cpp under the folder belongs to
# it, and it includes only its own layer and the layers beneath.
function(qv_add_folder_library name folder)
  file(GLOB_RECURSE _sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  add_library(${name} STATIC ${_sources})
  target_link_libraries(${name} PUBLIC qv_options ${ARGN})
  qv_layer_include_root(${folder} _root)
  target_include_directories(${name} PUBLIC ${_root})
endfunction()

# Fuzz builds: every library carries the coverage the fuzzers steer by; the
# fuzz executables themselves add the libFuzzer driver (tests/fuzz).
if(QV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QV_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  target_compile_options(qv_options INTERFACE -fsanitize=fuzzer-no-link)
  target_link_options(qv_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
