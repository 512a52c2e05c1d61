# Each layer of the engine is built against a view of the tree without the layers above it:
# a header of a higher layer is not found there, and one of its own layer or below is. Run
# with -DCXX=<compiler> -DLAYERS=<build folder>/layers.
function(probe layer header expect_found)
  file(WRITE ${LAYERS}/probe-${layer}.cpp "#include \"${header}\"\n")
  execute_process(
    COMMAND ${CXX} -std=c++20 -fsyntax-only -I ${LAYERS}/${layer} ${LAYERS}/probe-${layer}.cpp
    RESULT_VARIABLE failed ERROR_VARIABLE errors)
  if(expect_found AND failed)
    message(FATAL_ERROR "${layer} cannot include ${header}:\n${errors}")
  endif()
  if(NOT expect_found AND NOT errors MATCHES "No such file")
    message(FATAL_ERROR "${layer} can include ${header}, a header of a layer above it")
  endif()
endfunction()

probe(corvane_text assembler/Tokenise.h TRUE)
probe(corvane_text core/RunEnd.h FALSE)
probe(corvane_cpu core/Assem.h TRUE)
probe(corvane_cpu devices/Peripherals.h FALSE)
probe(corvane_devices devices/Peripherals.h TRUE)
probe(corvane_devices marking/Exercise.h FALSE)
probe(corvane_marking marking/CheckRun.h TRUE)
probe(corvane_marking cli/Arguments.h FALSE)
