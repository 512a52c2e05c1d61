#pragma once

#include <cstddef>
#include <cstdint>

// Feeds one input to the engine. The first byte chooses what the rest is: a source to
// assemble and run, or a RAM image to run directly; and whether the run log is on.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
