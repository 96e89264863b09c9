# Copies the generated binary content of one program folder into another:
#   cmake -DFROM=<program folder> -DTO=<program folder> -P CopyGeneratedContent.cmake
# Only what the generators in tools/ write is taken: images, font tables,
# sounds, music and piece meshes. The caches the game compiles beside them
# (".meb", ".lyt") and the authored text content stay behind.
if(NOT IS_DIRECTORY "${FROM}")
  message(FATAL_ERROR "No program folder at ${FROM}: build it first")
endif()
set(_patterns "")
foreach(_folder fonts mesh music sound splash textures)
  foreach(_ext tga jpg dat wav ogg mes)
    list(APPEND _patterns ${_folder}/*.${_ext})
  endforeach()
endforeach()
list(APPEND _patterns fonts/LICENSE-*.txt)
list(TRANSFORM _patterns PREPEND "${FROM}/")
file(GLOB_RECURSE _files RELATIVE "${FROM}" ${_patterns})
if(NOT _files)
  message(FATAL_ERROR "${FROM} holds no generated content")
endif()
foreach(_file IN LISTS _files)
  get_filename_component(_dir "${TO}/${_file}" DIRECTORY)
  file(MAKE_DIRECTORY "${_dir}")
  file(COPY_FILE "${FROM}/${_file}" "${TO}/${_file}" ONLY_IF_DIFFERENT)
endforeach()
