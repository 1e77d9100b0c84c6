# What `cmake --install` puts where, the CMake package through which another
# project links the skin library, and the Debian package (`cpack -G DEB`).
#
#   bin/                       sspack, form-preview, skinpack
#   libexec/<package>/         ssinstall, the stub sspack builds installers from
#   lib/<package>/             the skin library, the skinned controls and the
#                              framework and platform libraries under them
#   lib/cmake/<Project>/       the CMake package (targets <Project>::skin, ...)
#   include/<package>/         their headers, named from there as in the
#                              sources ("framework/ui/Forms.h")
#   share/man/man1/            the manual pages
#   share/doc/<package>/       the copyright of what the programs carry
#
# `cmake --install <build> --strip` also drops the debug information of the
# libraries, which the Debian package does too.

set(SSI_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/${SSI_PACKAGE_NAME})
set(SSI_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/${SSI_PACKAGE_NAME})
set(SSI_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/${PROJECT_NAME})

install(TARGETS sspack form-preview skinpack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The stub is no command of its own: sspack copies it into every installer.
install(TARGETS ssinstall RUNTIME DESTINATION ${SSI_INSTALL_STUBDIR})
file(GLOB SSI_MAN_PAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/*.1)
install(FILES ${SSI_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Whose fonts and libraries the programs carry (the Debian package's copyright).
install(FILES ${PROJECT_SOURCE_DIR}/docs/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${SSI_PACKAGE_NAME})

# The project's libraries that `roots` link, directly or not, and the
# imported targets among their dependencies (which the package must find
# again where it is used).
function(ssi_library_closure libraries_out imports_out)
  set(pending ${ARGN})
  set(libraries "")
  set(imports "")
  while(pending)
    list(POP_FRONT pending item)
    if(item MATCHES "^\\$<LINK_ONLY:(.+)>$")
      set(item ${CMAKE_MATCH_1})
    endif()
    if(NOT TARGET ${item} OR item IN_LIST libraries OR item IN_LIST imports)
      continue()
    endif()
    get_target_property(imported ${item} IMPORTED)
    if(imported)
      list(APPEND imports ${item})
      continue()
    endif()
    list(APPEND libraries ${item})
    get_target_property(links ${item} INTERFACE_LINK_LIBRARIES)
    if(links)
      list(APPEND pending ${links})
    endif()
  endwhile()
  set(${libraries_out} ${libraries} PARENT_SCOPE)
  set(${imports_out} ${imports} PARENT_SCOPE)
endfunction()

# The folders of the project's sources that hold a library's own headers (a
# library may take sources from more than one folder); generated sources in
# the build tree have none.
function(ssi_header_folders library out)
  get_target_property(sources ${library} SOURCES)
  get_target_property(source_dir ${library} SOURCE_DIR)
  set(folders "")
  foreach(source ${sources})
    if(source MATCHES "^\\$<")
      continue()
    endif()
    if(NOT IS_ABSOLUTE ${source})
      set(source ${source_dir}/${source})
    endif()
    cmake_path(GET source PARENT_PATH folder)
    cmake_path(NORMAL_PATH folder)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${folder} NORMALIZE in_sources)
    cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${folder} NORMALIZE in_build)
    if(in_sources AND NOT in_build)
      list(APPEND folders ${folder})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

ssi_library_closure(SSI_INSTALLED_LIBRARIES SSI_LINKED_IMPORTS controls)

foreach(library ${SSI_INSTALLED_LIBRARIES})
  # A user's project need not be C++20 itself to know it must compile these
  # headers as C++20.
  target_compile_features(${library} PUBLIC cxx_std_20)
  ssi_header_folders(${library} folders)
  foreach(folder ${folders})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${folder})
    file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
    install(FILES ${headers} DESTINATION ${SSI_INSTALL_INCLUDEDIR}/${relative})
  endforeach()
endforeach()

install(TARGETS ${SSI_INSTALLED_LIBRARIES}
  EXPORT ${PROJECT_NAME}Targets
  ARCHIVE DESTINATION ${SSI_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${SSI_INSTALL_INCLUDEDIR})
install(EXPORT ${PROJECT_NAME}Targets
  NAMESPACE ${PROJECT_NAME}::
  DESTINATION ${SSI_INSTALL_CMAKEDIR})

# install(TARGETS ... --strip) leaves static libraries whole (their symbol
# table is all a linker has); their debug information can still go, and it
# is most of their size.
set(archives "")
foreach(library ${SSI_INSTALLED_LIBRARIES})
  string(APPEND archives " \"$<TARGET_FILE_NAME:${library}>\"")
endforeach()
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(archive ${archives})
      set(path \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${SSI_INSTALL_LIBDIR}/\${archive}\")
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug \"\${path}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

# How the package finds, on the user's machine, what the libraries link:
# the static archives of cmake/StaticLibraries.cmake.
set(SSI_FIND_DEPENDENCIES "")
set(SSI_FIND_STATIC_LINES "")
foreach(import ${SSI_LINKED_IMPORTS})
  set(found FALSE)
  if(import MATCHES "^Static::(.+)$")
    # An archive and, first, the archives it needs.
    get_property(static_libraries GLOBAL PROPERTY SSI_STATIC_LIBRARIES)
    set(pending ${CMAKE_MATCH_1})
    while(pending)
      list(POP_BACK pending name)
      foreach(entry ${static_libraries})
        if(entry MATCHES "^${name}\\|([^|]*)\\|([^|]*)\\|([^|]*)$")
          set(archive ${CMAKE_MATCH_1})
          set(includes ${CMAKE_MATCH_2})
          set(links ${CMAKE_MATCH_3})
          string(APPEND SSI_FIND_STATIC_LINES
                 "_ssi_find_static(${name} ${archive} \"${includes}\" \"${links}\")\n")
          string(REGEX MATCHALL "Static::[A-Za-z0-9_]+" needed "${links}")
          foreach(item ${needed})
            string(REPLACE "Static::" "" item ${item})
            list(APPEND pending ${item})
          endforeach()
          set(found TRUE)
        endif()
      endforeach()
    endwhile()
  endif()
  if(NOT found)
    message(FATAL_ERROR "The installed libraries link ${import}: tell cmake/Install.cmake how "
                        "their package finds it (static archives go through ssi_static_library)")
  endif()
endforeach()

# Each archive is looked up once, those that others need first.
if(SSI_FIND_STATIC_LINES)
  string(REPLACE "\n" ";" lines "${SSI_FIND_STATIC_LINES}")
  list(REVERSE lines)
  list(REMOVE_DUPLICATES lines)
  list(REMOVE_ITEM lines "")
  list(JOIN lines "\n" lines)
  string(APPEND SSI_FIND_DEPENDENCIES "${lines}\n")
endif()

include(CMakePackageConfigHelpers)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/PackageConfig.cmake.in
  ${PROJECT_BINARY_DIR}/${PROJECT_NAME}Config.cmake
  INSTALL_DESTINATION ${SSI_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/${PROJECT_NAME}ConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/${PROJECT_NAME}Config.cmake
              ${PROJECT_BINARY_DIR}/${PROJECT_NAME}ConfigVersion.cmake
  DESTINATION ${SSI_INSTALL_CMAKEDIR})

# The Debian package holds everything above. The programs' shared libraries
# become dependencies through dpkg-shlibdeps; what linking the static
# libraries takes (pkg-config and the development packages) is recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${SSI_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Screensaver installer builder, installer stub and skin library")
set(CPACK_PACKAGE_DESCRIPTION
    "sspack turns a screensaver's runtime, movie data, record and logo into a self-contained
installer program; form-preview shows stored form layouts in any look; skinpack makes
skin files. The skin library and its skinned controls come as static libraries with a
CMake package (find_package(ScreensaverInstaller)).")
set(CPACK_PACKAGE_CONTACT "Screensaver Installer maintainers <maintainers@example.org>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces text is drawn with are inside the programs; linking the skin
# library takes the static archives of zlib, libjpeg, libpng and FreeType.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "zlib1g-dev, libjpeg-dev, libpng-dev, libfreetype-dev, libbz2-dev, libbrotli-dev")
# The library target `package` (the package container) keeps its name: with a
# CPackConfig.cmake at the top of the build tree CMake would reserve that name
# for a target of its own, so the configuration lives one folder down and the
# target `deb` (or `make package` at the top) runs it.
set(CPACK_OUTPUT_CONFIG_FILE ${PROJECT_BINARY_DIR}/packaging/CPackConfig.cmake)
set(CPACK_SOURCE_CONFIG_FILE ${PROJECT_BINARY_DIR}/packaging/CPackSourceConfig.cmake)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packaging)
include(CPack)
add_custom_target(deb
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${CPACK_OUTPUT_CONFIG_FILE} -G DEB
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  COMMENT "Building the Debian package in ${CPACK_PACKAGE_DIRECTORY}"
  USES_TERMINAL
  VERBATIM)
