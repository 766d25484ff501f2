// An empty target: libFuzzer's and the sanitizers' own cost a run, the baseline the
// rates of scripts/fuzz.sh are given against.
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *, size_t) { return 0; }
