// Arbitrary bytes through the orbit mean-elements CSV reader and the loader.
#include "fuzz_omm.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vantrek::fuzzOmmReader(data, size, vantrek::readOmmCsv);
    return 0;
}
