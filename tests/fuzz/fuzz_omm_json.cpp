// Arbitrary bytes through the orbit mean-elements JSON reader and the loader.
#include "fuzz_omm.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vantrek::fuzzOmmReader(data, size, vantrek::readOmmJson);
    return 0;
}
