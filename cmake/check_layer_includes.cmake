cmake_minimum_required(VERSION 3.20)
# Run by the build (cmake -P) for one layer library: every quoted include of its
# files must name a header in one of the folders the layer may use. Includes without
# a folder are the file's neighbours or generated files and are not layers.
include("${TQR_LAYER_SPEC}")

set(faults "")
foreach(file ${TQR_LAYER_FILES})
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
    if(NOT header MATCHES "/")
      continue()
    endif()
    get_filename_component(folder "${header}" DIRECTORY)
    if(NOT folder IN_LIST TQR_LAYER_ALLOWED)
      string(APPEND faults "  ${file}: includes \"${header}\"\n")
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR
    "${TQR_LAYER_TARGET} may include only from: ${TQR_LAYER_ALLOWED}\n"
    "These includes run against the layers:\n${faults}")
endif()
file(TOUCH "${TQR_LAYER_STAMP}")
