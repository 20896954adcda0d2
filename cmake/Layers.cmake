# The layers of src/ as CMake libraries, and the check that keeps them apart.
#
#   tqr_layer(<target> FOLDER <folder> [STATIC | INTERFACE | SHARED]
#             SOURCES <files...> [LAYERS <lower layer targets...>] [LIBS <other libs...>])
#     Makes the library from SOURCES (relative to the current folder), links the lower
#     layers it builds on and any other libraries, and checks on every build that each
#     of SOURCES includes our headers only from FOLDER itself and from the folders of
#     the layers it links, directly or through them. An include that runs back up a
#     layer therefore fails the build, naming the file and the header.
#
# Every header of the tree is included by its path below src/ ("settings/devmode.h"),
# so the folder part of an include says which layer it reaches into.

include_guard(GLOBAL)

set(_tqr_layer_check_script "${CMAKE_CURRENT_LIST_DIR}/check_layer_includes.cmake")

function(tqr_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "STATIC;INTERFACE;SHARED" "FOLDER" "SOURCES;LAYERS;LIBS")
  if(NOT arg_FOLDER)
    message(FATAL_ERROR "tqr_layer(${target}): FOLDER is required")
  endif()
  if(arg_INTERFACE)
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  elseif(arg_SHARED)
    add_library(${target} SHARED ${arg_SOURCES})
    set(scope PRIVATE)
  else()
    add_library(${target} STATIC ${arg_SOURCES})
    set(scope PUBLIC)
  endif()
  if(NOT arg_SHARED)
    target_include_directories(${target} ${scope} ${PROJECT_SOURCE_DIR}/src)
  else()
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  endif()
  target_link_libraries(${target} ${scope} ${arg_LAYERS} ${arg_LIBS})

  # The folders this layer may include from: its own and those of everything below.
  set(folders ${arg_FOLDER})
  foreach(layer ${arg_LAYERS})
    get_target_property(below ${layer} TQR_LAYER_FOLDERS)
    if(NOT below)
      message(FATAL_ERROR "tqr_layer(${target}): ${layer} is not a layer made before it")
    endif()
    list(APPEND folders ${below})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set_property(TARGET ${target} PROPERTY TQR_LAYER_FOLDERS ${folders})

  if(NOT arg_INTERFACE)
    tqr_warnings(${target})
  endif()

  set(files)
  foreach(source ${arg_SOURCES})
    if(source MATCHES "\\.(cpp|h|rc)$")
      list(APPEND files "${CMAKE_CURRENT_SOURCE_DIR}/${source}")
    endif()
  endforeach()
  if(NOT files)
    return()
  endif()
  set(spec "${CMAKE_CURRENT_BINARY_DIR}/${target}_layer.cmake")
  set(stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}_layer.stamp")
  file(WRITE "${spec}"
    "set(TQR_LAYER_TARGET \"${target}\")\n"
    "set(TQR_LAYER_ALLOWED \"${folders}\")\n"
    "set(TQR_LAYER_FILES \"${files}\")\n"
    "set(TQR_LAYER_STAMP \"${stamp}\")\n")
  add_custom_command(OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} -DTQR_LAYER_SPEC=${spec} -P "${_tqr_layer_check_script}"
    DEPENDS ${files} "${spec}" "${_tqr_layer_check_script}"
    COMMENT "Checking the includes of ${target} against its layers"
    VERBATIM)
  add_custom_target(${target}_layer_check DEPENDS "${stamp}")
  add_dependencies(${target} ${target}_layer_check)
endfunction()
