# Installs the build into an empty prefix and fails unless it holds exactly
# the files of an installation, each of them whole: the program answers
# --version, the desktop entry and the MIME type are valid, every PNG icon has
# the size of its folder.
#
#   cmake -DBUILD_DIR=<build> -DPREFIX=<empty folder> -DVERSION=<x.y> -P CheckInstall.cmake

cmake_minimum_required(VERSION 3.25)

set(icon_sizes 16 24 32 48 64 128 256)
set(expected
    bin/tavrel
    share/applications/tavrel.desktop
    share/icons/hicolor/scalable/apps/tavrel.svg
    share/man/man1/tavrel.1.gz
    share/mime/packages/tavrel.xml)
foreach(size IN LISTS icon_sizes)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/tavrel.png)
endforeach()
list(SORT expected)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "Installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()
foreach(file IN LISTS expected)
  file(SIZE ${PREFIX}/${file} size)
  if(size EQUAL 0)
    message(FATAL_ERROR "${file} is empty")
  endif()
endforeach()

# A PNG's header gives its width and height, 4 bytes each, from byte 16.
foreach(size IN LISTS icon_sizes)
  set(png ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/tavrel.png)
  file(READ ${png} header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 width)
  string(SUBSTRING "${header}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
    message(FATAL_ERROR "${png} is not a ${size} x ${size} PNG (${width} x ${height})")
  endif()
endforeach()

execute_process(COMMAND ${PREFIX}/bin/tavrel --version
                RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_QUIET)
if(NOT status EQUAL 0 OR NOT said STREQUAL "tavrel ${VERSION}\n")
  message(FATAL_ERROR "The installed program answered --version with ${status}: ${said}")
endif()

find_program(validate desktop-file-validate)
if(NOT validate)
  message(FATAL_ERROR "desktop-file-validate is missing (Debian package desktop-file-utils)")
endif()
execute_process(COMMAND ${validate} ${PREFIX}/share/applications/tavrel.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT status EQUAL 0 OR NOT said STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${said}")
endif()

# The MIME database compiled from the package file defines the type.
find_program(update_mime update-mime-database)
if(NOT update_mime)
  message(FATAL_ERROR "update-mime-database is missing (Debian package shared-mime-info)")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_DIRS=${PREFIX}/share
                        ${update_mime} ${PREFIX}/share/mime
                RESULT_VARIABLE status OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(NOT status EQUAL 0 OR NOT said STREQUAL ""
   OR NOT EXISTS ${PREFIX}/share/mime/application/x-tavrel.xml)
  message(FATAL_ERROR "update-mime-database: ${status} ${said}")
endif()

message(STATUS "${PREFIX} holds the installation: ${expected}")
