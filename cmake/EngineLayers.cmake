# The engine's libraries lie in layers, each knowing only those below it:
#
#   corvane_text     assembler/*.h   tokens, the tokeniser, source text, list file, byte texts
#   corvane_cpu      core/           the machine object: assembler passes, CPU, scheduler
#   corvane_devices  devices/        the device models and their table
#   corvane_marking  marking/        exercises, and marking a program against their cases
#
# Each is compiled against a view of the source tree that holds only its own folder and the
# folders below it, so an include against the grain does not compile. The front ends, on
# top, see the whole tree.
function(corvane_layer target)
  set(view ${CMAKE_BINARY_DIR}/layers/${target})
  file(MAKE_DIRECTORY ${view})
  foreach(folder IN LISTS ARGN)
    if(NOT EXISTS ${view}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${view}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${view}>)
  set_property(TARGET ${target} PROPERTY CORVANE_LAYER_VIEW ${view})
endfunction()
