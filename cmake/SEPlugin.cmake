# se_add_kernels(<target> <kernel.cpp>...)
# Compiles each kernel file once per instruction set: SSE2 (the baseline) and
# AVX2 (chosen at run time where the CPU has it).
function(se_add_kernels target)
  foreach(kernel IN LISTS ARGN)
    get_filename_component(kernel_abs ${kernel} ABSOLUTE)
    get_filename_component(stem ${kernel} NAME_WE)
    foreach(isa sse2 avx2)
      set(variant ${CMAKE_CURRENT_BINARY_DIR}/${target}_${stem}_${isa}.cpp)
      file(CONFIGURE OUTPUT ${variant} CONTENT "#define SE_KERNEL_ISA ${isa}\n#include \"${kernel_abs}\"\n")
      target_sources(${target} PRIVATE ${variant})
      set_source_files_properties(${variant} PROPERTIES COMPILE_OPTIONS "-O3;$<$<STREQUAL:${isa},avx2>:-mavx2>")
    endforeach()
  endforeach()
endfunction()

# se_add_plugin(<name> SOURCES <files>... [KERNELS <files>...] [INCLUDE_DIR <dir>])
# Builds plug-in <name> as build/<preset>/plugins/<name>.sep (Windows) or
# <name>.so (Linux) exporting getModuleProperties and makeModule only.
# The directory holding the module's Module.h is INCLUDE_DIR (default: the
# current source directory).
function(se_add_plugin name)
  cmake_parse_arguments(ARG "" "INCLUDE_DIR" "SOURCES;KERNELS" ${ARGN})
  if(NOT ARG_INCLUDE_DIR)
    set(ARG_INCLUDE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  add_library(${name} MODULE ${ARG_SOURCES} ${SE_SDK_DIR}/SEModuleMain.cpp)
  se_add_kernels(${name} ${ARG_KERNELS})
  target_include_directories(${name} PRIVATE ${ARG_INCLUDE_DIR})
  target_link_libraries(${name} PRIVATE se_sdk)
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${SE_PLUGIN_DIR}
    RUNTIME_OUTPUT_DIRECTORY ${SE_PLUGIN_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    set_target_properties(${name} PROPERTIES SUFFIX ".sep")
    target_sources(${name} PRIVATE ${SE_SDK_DIR}/exports.def)
  else()
    set_target_properties(${name} PROPERTIES SUFFIX ".so")
    target_link_options(${name} PRIVATE -Wl,--version-script=${SE_SDK_DIR}/exports.map)
  endif()
endfunction()
