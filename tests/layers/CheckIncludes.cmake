# Fails when a file of a layer includes a header of a folder its layer does not
# reach through the layer table (an upward or sideways include), naming the
# file, the line and the include.
#
#   cmake -DSOURCE_DIR=<top of the tree> -DTABLE=<LayerTable.cmake> -P CheckIncludes.cmake
#
# TABLE is written at configure time from the table in the top CMakeLists.txt:
# TAVREL_LAYERS and, per layer, TAVREL_<layer>_REACH (itself and every layer
# its declaration reaches).

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR OR NOT TABLE)
  message(FATAL_ERROR "Give -DSOURCE_DIR=<top of the tree> and -DTABLE=<layer table>")
endif()
get_filename_component(SOURCE_DIR ${SOURCE_DIR} ABSOLUTE)
include(${TABLE})

# Every top folder counts, so a product file reaching into tests/ or bench/
# is caught as well as one reaching a higher layer.
set(folders ${TAVREL_LAYERS})
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY ${SOURCE_DIR}/${entry})
    list(APPEND folders ${entry})
  endif()
endforeach()

# The top folder an include lands in, or "" when it lands outside the tree's
# folders (Qt, the standard library). A quoted include is looked up next to the
# including file first, as the compiler does.
function(folder_of_include file_dir quote path out)
  set(landing "")
  if(quote STREQUAL "\"" AND EXISTS ${SOURCE_DIR}/${file_dir}/${path})
    get_filename_component(resolved ${SOURCE_DIR}/${file_dir}/${path} ABSOLUTE)
    file(RELATIVE_PATH landing ${SOURCE_DIR} ${resolved})
  elseif(path MATCHES "/")
    set(landing ${path})
  endif()
  set(folder "")
  if(landing MATCHES "^([^/]+)/" AND NOT CMAKE_MATCH_1 STREQUAL "..")
    set(folder ${CMAKE_MATCH_1})
  endif()
  if(NOT folder IN_LIST folders)
    set(folder "")
  endif()
  set(${out} "${folder}" PARENT_SCOPE)
endfunction()

set(file_count 0)
set(include_count 0)
set(crossings 0)
foreach(layer IN LISTS TAVREL_LAYERS)
  if(NOT IS_DIRECTORY ${SOURCE_DIR}/${layer})
    continue()
  endif()
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${layer}/*.cpp ${SOURCE_DIR}/${layer}/*.h
       ${SOURCE_DIR}/${layer}/*.hpp ${SOURCE_DIR}/${layer}/*.cc)
  list(SORT files)
  foreach(file IN LISTS files)
    math(EXPR file_count "${file_count} + 1")
    get_filename_component(file_dir ${file} DIRECTORY)
    # One list element per line: first take out what CMake lists would split
    # on or group by.
    file(READ ${SOURCE_DIR}/${file} text)
    string(REPLACE "\\" "/" text "${text}")
    string(REPLACE ";" "," text "${text}")
    string(REPLACE "[" "(" text "${text}")
    string(REPLACE "]" ")" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    set(number 0)
    foreach(line IN LISTS lines)
      math(EXPR number "${number} + 1")
      if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([\"<])([^\">]+)[\">]")
        continue()
      endif()
      set(quote "${CMAKE_MATCH_1}")
      set(path "${CMAKE_MATCH_2}")
      math(EXPR include_count "${include_count} + 1")
      folder_of_include("${file_dir}" "${quote}" "${path}" folder)
      if(NOT "${folder}" STREQUAL "" AND NOT folder IN_LIST TAVREL_${layer}_REACH)
        string(STRIP "${line}" shown)
        list(JOIN TAVREL_${layer}_REACH ", " allowed)
        message("${file}:${number}: ${shown}: ${layer} does not depend on ${folder} "
                "(${layer} may include ${allowed})")
        math(EXPR crossings "${crossings} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(file_count EQUAL 0)
  message(FATAL_ERROR "No source of any layer found under ${SOURCE_DIR}")
endif()
if(crossings GREATER 0)
  message(FATAL_ERROR "${crossings} include(s) against the layers in ${file_count} files")
endif()
message(STATUS "${include_count} includes in ${file_count} files follow the layers")
