# norvale_add_library(<target>): one static library from every *.cpp of the
# calling folder (an interface library while the folder has none yet).
function(norvale_add_library target)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${target} STATIC ${sources})
  else()
    add_library(${target} INTERFACE)
  endif()
endfunction()

# norvale_link(<target> <libs...>): links whatever kind norvale_add_library made.
function(norvale_link target)
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_link_libraries(${target} INTERFACE ${ARGN})
  else()
    target_link_libraries(${target} PUBLIC ${ARGN})
  endif()
endfunction()
