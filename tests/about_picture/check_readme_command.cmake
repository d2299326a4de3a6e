# Runs the README's command, `python3 scripts/make_about_picture.py <picture>`
# with no outlines file, from the source folder, and fails unless it draws
# app/about_picture.png byte for byte. The command finds the outline tool
# itself; TOOL names the one of this build, wherever the build folder is.
execute_process(COMMAND ${CMAKE_COMMAND} -E env NORVALE_ABOUT_TOOL=${TOOL}
                        ${PYTHON} scripts/make_about_picture.py ${WORK}/readme_picture.png
                WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE script_result)
if(NOT script_result EQUAL 0)
  message(FATAL_ERROR "the README's make_about_picture.py command failed: ${script_result}")
endif()
file(SHA256 ${WORK}/readme_picture.png drawn)
file(SHA256 ${SOURCE}/app/about_picture.png stored)
if(NOT drawn STREQUAL stored)
  message(FATAL_ERROR "the README's command does not draw app/about_picture.png")
endif()
