// Each input, a filter and a log, loaded, sorted and grouped by the product's load path and by
// the step-by-step reference: any difference a user could see is a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input.h"
#include "tests/logdata/test_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetTimeZone("UTC");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PlaybackLog log;  // reused, as the window reuses its one log
    LoadBothWays(ReadFuzzInput(data, size), log);
    return 0;
}
