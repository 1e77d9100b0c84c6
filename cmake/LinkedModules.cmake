# pkg-config modules that the installable libraries link, as imported targets
# PkgConfig::<prefix>. Each set is remembered so that the exported CMake
# package (cmake/Install.cmake) can find the same modules again on the
# machine of whoever links the installed libraries.
function(ssi_link_modules prefix)
  pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET GLOBAL ${ARGN})
  string(JOIN " " modules ${ARGN})
  set_property(GLOBAL APPEND PROPERTY SSI_LINKED_MODULES "${prefix}=${modules}")
endfunction()
