# Libraries that every program links as static archives, so that the
# installer stub carries them and asks nothing of the end user's machine:
# zlib (package streams), libjpeg (JPEG logos), libpng (icons' compressed
# entries, screenshots) and FreeType (text; its archive needs libpng, zlib,
# bzip2 and brotli). Each archive becomes an imported target
# Static::<name> that names what it needs, so that the linker sees every
# archive after those that use it. The exported CMake package finds the
# same archives again (cmake/Install.cmake, cmake/PackageConfig.cmake.in).
#
#   ssi_static_library(NAME ARCHIVE [INCLUDES dir...] [LINKS item...])
function(ssi_static_library name archive)
  cmake_parse_arguments(S "" "" "INCLUDES;LINKS" ${ARGN})
  string(MAKE_C_IDENTIFIER "SSI_ARCHIVE_${archive}" variable)
  find_library(${variable} NAMES ${archive})
  if(NOT ${variable})
    message(FATAL_ERROR "${archive} not found: install the Debian development package that "
                        "holds it (scripts/setup.sh does)")
  endif()
  add_library(Static::${name} STATIC IMPORTED GLOBAL)
  set_target_properties(Static::${name} PROPERTIES
    IMPORTED_LOCATION ${${variable}}
    INTERFACE_LINK_LIBRARIES "${S_LINKS}"
    INTERFACE_INCLUDE_DIRECTORIES "${S_INCLUDES}")
  string(REPLACE ";" " " includes "${S_INCLUDES}")
  string(REPLACE ";" " " links "${S_LINKS}")
  set_property(GLOBAL APPEND PROPERTY SSI_STATIC_LIBRARIES "${name}|${archive}|${includes}|${links}")
endfunction()

ssi_static_library(zlib libz.a)
ssi_static_library(jpeg libjpeg.a)
ssi_static_library(png libpng16.a INCLUDES /usr/include/libpng16 LINKS Static::zlib m)
ssi_static_library(bz2 libbz2.a)
ssi_static_library(brotlicommon libbrotlicommon.a)
ssi_static_library(brotlidec libbrotlidec.a LINKS Static::brotlicommon)
ssi_static_library(freetype libfreetype.a INCLUDES /usr/include/freetype2
                   LINKS Static::png Static::zlib Static::bz2 Static::brotlidec m)
