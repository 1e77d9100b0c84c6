# Files carried inside the programs. embed-files (resources/embed) is a tool
# the build compiles and runs on the build machine; ssi_embed_files() makes
# it write a source holding a TEmbeddedFile table (framework/base/
# EmbeddedFiles.h) of the files given as NAME=PATH.
add_executable(embed-files ${PROJECT_SOURCE_DIR}/resources/embed/EmbedFiles.cpp)
target_link_libraries(embed-files PRIVATE Static::zlib)
set_target_properties(embed-files PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/build-tools)

#   ssi_embed_files(TABLE OUTPUT [DEFLATE] FILES NAME=PATH...)
function(ssi_embed_files table output)
  cmake_parse_arguments(E "DEFLATE" "" "FILES" ${ARGN})
  set(files "")
  foreach(pair ${E_FILES})
    string(REGEX REPLACE "^[^=]*=" "" path ${pair})
    list(APPEND files ${path})
  endforeach()
  set(flag "")
  if(E_DEFLATE)
    set(flag --deflate)
  endif()
  add_custom_command(
    OUTPUT ${output}
    COMMAND embed-files ${flag} ${table} ${output} ${E_FILES}
    DEPENDS embed-files ${files}
    COMMENT "Embedding ${table}"
    VERBATIM)
endfunction()

# A file of a Debian package the build embeds, found on the build machine.
function(ssi_find_packaged_file variable name package)
  find_file(${variable} ${name} PATHS ${ARGN} NO_DEFAULT_PATH)
  if(NOT ${variable})
    message(FATAL_ERROR "${name} not found in ${ARGN}: install the Debian package ${package} "
                        "(scripts/setup.sh does)")
  endif()
endfunction()
