// Arbitrary bytes through the orbit mean-elements XML reader and the loader.
#include "fuzz_omm.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vantrek::fuzzOmmReader(data, size, vantrek::readOmmXml);
    return 0;
}
