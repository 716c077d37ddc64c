#pragma once

#include <cstddef>
#include <cstdint>

// The two entry points every target defines; libFuzzer calls them, and so does
// the replay program the ordinary test build links instead.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// A broken promise of the code under test: reported and the process aborted,
// so the fuzzer keeps the input.
[[noreturn]] void fuzzFailure(const char *what);
#define FUZZ_CHECK(condition) ((condition) ? void(0) : fuzzFailure(#condition))
