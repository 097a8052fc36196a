// NMEA sentence reading: what the reader thread spends per sentence.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "gps/gps_fix.hpp"
#include "gps/read_sentence.hpp"

namespace {

// One second of a SiRF-II receiver: GSA, a group of three GSV, RMC, VTG, GGA.
const char kOneSecond[] =
    "$GPGSA,A,2,05,12,30,,,,,,,,,,17.0,17.0,0.0*36\r\n"
    "$GPGSV,3,1,12,2,15,123,,5,45,347,44,6,58,198,,7,45,212,*76\r\n"
    "$GPGSV,3,2,12,10,44,132,,12,39,002,43,18,13,332,34,21,33,266,*79\r\n"
    "$GPGSV,3,3,12,24,58,220,,26,17,053,,29,20,063,,30,60,311,45*7E\r\n"
    "$GPRMC,095304.802,A,2712.6520,S,15303.1397,E,0.00,133.96,080407,,,A*78\r\n"
    "$GPVTG,133.96,T,,,0.00,N,0.00,K,A*7E\r\n"
    "$GPGGA,095305.802,2712.6547,S,15303.1350,E,1,04,21.1,3.0,M,42.2,M,,*75\r\n";

void BM_ReadSentence(benchmark::State& state) {
    auto fix = std::make_unique<vantrek::GpsFix>();
    int64_t accepted = 0;
    for (auto _ : state) {
        vantrek::MemoryByteSource source(kOneSecond, sizeof kOneSecond - 1);
        while (!source.atEnd()) accepted += vantrek::ReadSentence(source, *fix) > 0 ? 1 : 0;
    }
    state.SetItemsProcessed(accepted);
}
BENCHMARK(BM_ReadSentence);

}  // namespace
