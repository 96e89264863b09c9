# CI's sanitizer trees are unity builds (-DCMAKE_UNITY_BUILD=ON): a target's
# sources are compiled a few at a time as one file, which parses the shared
# headers once per batch and roughly halves those trees' build. The sources
# below are compiled on their own: the first two include the X11 headers,
# whose macros (None, CursorShape, ...) would take names in their neighbours;
# the others define file-local names that clash with a neighbour's.
set(_qv_unity_alone
  platform/GLSubBufferPresent.cpp platform/Window.cpp
  net/PeerTextReader.cpp
  players/YHeroReader.cpp players/YMonsterReader.cpp players/YMonsterSet.cpp players/YPlayerSaver.cpp
  players/YTileDescrReader.cpp
  tiles/effects/YSpaceWhirl.cpp
  modes/YGameNetwork.cpp
  tools/layoutgen/LayoutDrawing.cpp
  tests/framework/YFrameworkTest.cpp tests/net/YPeerConnectTest.cpp tests/render/YRenderTest.cpp
  tests/tiles/TileLayoutTest.cpp tests/e2e/RenderPixelTest.cpp)
list(TRANSFORM _qv_unity_alone PREPEND ${PROJECT_SOURCE_DIR}/)

# Source properties belong to the folder that makes the target: mark the
# sources in every folder of the project.
function(qv_folders_below dir out)
  set(_all ${dir})
  get_property(_subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_sub IN LISTS _subdirs)
    qv_folders_below(${_sub} _below)
    list(APPEND _all ${_below})
  endforeach()
  set(${out} ${_all} PARENT_SCOPE)
endfunction()
qv_folders_below(${PROJECT_SOURCE_DIR} _qv_folders)
set_source_files_properties(${_qv_unity_alone} DIRECTORY ${_qv_folders} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)

# g++ takes the batch file for the main file and so warns of every test
# fixture in an anonymous namespace as if a header declared it; the plain
# tree, built file by file, still gives that warning where it is real.
if(CMAKE_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(qv_options INTERFACE -Wno-subobject-linkage)
endif()
