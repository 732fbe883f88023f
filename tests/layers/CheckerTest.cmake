# Runs the layering check on a small tree with known crossings and on one
# without, so the check is seen to fail where it must and only there.
#
#   cmake -DTABLE=<LayerTable.cmake> -DCHECKER=<CheckIncludes.cmake> -DWORK_DIR=<dir> -P CheckerTest.cmake

cmake_minimum_required(VERSION 3.25)

function(write_source path)
  list(JOIN ARGN "\n" text)
  file(WRITE ${WORK_DIR}/${path} "${text}\n")
endfunction()

function(run_checker out_result out_output)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK_DIR} -DTABLE=${TABLE}
                          -P ${CHECKER}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(${out_result} ${result} PARENT_SCOPE)
  set(${out_output} "${output}" PARENT_SCOPE)
endfunction()

function(expect_text output text)
  string(FIND "${output}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "Expected in the checker's output: ${text}\n--- output ---\n${output}")
  endif()
endfunction()

function(expect_no_text output text)
  string(FIND "${output}" "${text}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "Not expected in the checker's output: ${text}\n--- output ---\n${output}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})

# Includes that follow the layers: siblings by plain name, the own folder and
# lower layers rooted, a lower layer reached relatively, Qt, a commented line.
write_source(platform/Element.h "#pragma once")
write_source(platform/Units.h "#pragma once")
write_source(model/ObjDraw.h "#pragma once" "#include \"platform/Element.h\"")
write_source(model/ObjDraw.cpp
  "#include \"ObjDraw.h\""
  "#include \"model/ObjDraw.h\""
  "#include <QRect>"
  "#include \"../platform/Units.h\""
  "// #include \"designer/mFrm_Bill.h\"")
write_source(designer/mFrm_Bill.h "#pragma once" "#include \"model/ObjDraw.h\"")
write_source(app/mFrm_Main.h "#pragma once" "#  include <designer/mFrm_Bill.h>")
write_source(tests/model/ModelFixtures.h "#pragma once")

run_checker(result output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "A tree that follows the layers was rejected:\n${output}")
endif()
expect_text("${output}" "7 includes in 6 files follow the layers")

# Upward, sideways, relative and into the tests; two on line 3 so the line
# number is seen to be counted.
write_source(model/Up.cpp "" "#include <QRect>" "#include \"designer/mFrm_Bill.h\"")
write_source(print/Side.h "#pragma once" "" "  #  include <designer/mFrm_Bill.h>")
write_source(model/Relative.cpp "#include \"../app/mFrm_Main.h\"")
write_source(platform/Fixture.cpp "#include \"tests/model/ModelFixtures.h\"")

run_checker(result output)
if(result EQUAL 0)
  message(FATAL_ERROR "Includes against the layers passed:\n${output}")
endif()
foreach(expected
    "model/Up.cpp:3: #include \"designer/mFrm_Bill.h\": model does not depend on designer"
    "print/Side.h:3: #  include <designer/mFrm_Bill.h>: print does not depend on designer"
    "model/Relative.cpp:1: #include \"../app/mFrm_Main.h\": model does not depend on app"
    "platform/Fixture.cpp:1: #include \"tests/model/ModelFixtures.h\": platform does not depend on tests"
    "4 include(s) against the layers in 10 files")
  expect_text("${output}" "${expected}")
endforeach()
foreach(sound model/ObjDraw.cpp model/ObjDraw.h designer/mFrm_Bill.h app/mFrm_Main.h)
  expect_no_text("${output}" "${sound}:")
endforeach()
