# Draws the About picture afresh from the program's own outlines of its gear
# pair and fails unless app/about_picture.png is byte for byte that picture.
execute_process(COMMAND ${TOOL} OUTPUT_FILE ${WORK}/pair.txt RESULT_VARIABLE tool_result)
if(NOT tool_result EQUAL 0)
  message(FATAL_ERROR "about_pair_outlines failed: ${tool_result}")
endif()
execute_process(COMMAND ${PYTHON} ${SCRIPT} ${WORK}/about_picture.png ${WORK}/pair.txt RESULT_VARIABLE script_result)
if(NOT script_result EQUAL 0)
  message(FATAL_ERROR "make_about_picture.py failed: ${script_result}")
endif()
file(SHA256 ${WORK}/about_picture.png drawn)
file(SHA256 ${PICTURE} stored)
if(NOT drawn STREQUAL stored)
  message(FATAL_ERROR "app/about_picture.png is not the picture drawn from the program's gear pair; "
                      "regenerate it with scripts/make_about_picture.py")
endif()
