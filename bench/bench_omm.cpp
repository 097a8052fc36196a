// Loading 400 orbit mean-elements records in each form (the two-line case is
// BM_LoadFourHundredSets).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "orbit/catalog_loading.hpp"

namespace {

const char* const kNames[] = {"OBJECT_NAME", "OBJECT_ID", "EPOCH", "MEAN_MOTION", "ECCENTRICITY",
                              "INCLINATION", "RA_OF_ASC_NODE", "ARG_OF_PERICENTER", "MEAN_ANOMALY",
                              "EPHEMERIS_TYPE", "CLASSIFICATION_TYPE", "NORAD_CAT_ID", "ELEMENT_SET_NO",
                              "REV_AT_EPOCH", "BSTAR", "MEAN_MOTION_DOT", "MEAN_MOTION_DDOT"};

std::string value(int field, int number) {
    const char* const values[] = {"ISS (ZARYA)", "1998-067A", "2008-09-20T12:25:40.104192", "15.72125391",
                                  "0.0006703", "51.6416", "247.4627", "130.536", "325.0288", "0", "U", "",
                                  "292", "56353", "-1.1606e-05", "-2.182e-05", "0"};
    return field == 11 ? std::to_string(100000 + number) : values[field];
}

std::string fourHundred(int form) {
    std::string text;
    if (form == 0) {
        for (int f = 0; f < 17; ++f) text += std::string(f ? "," : "") + kNames[f];
        text += "\r\n";
        for (int i = 0; i < 400; ++i) {
            for (int f = 0; f < 17; ++f) text += (f ? "," : "") + value(f, i);
            text += "\r\n";
        }
    } else if (form == 1) {
        for (int i = 0; i < 400; ++i) {
            text += i ? ",\n{" : "[{";
            for (int f = 0; f < 17; ++f) {
                const bool quoted = f < 3 || f == 10;
                text += std::string(f ? ",\"" : "\"") + kNames[f] + "\":" + (quoted ? "\"" : "") + value(f, i) +
                        (quoted ? "\"" : "");
            }
            text += "}";
        }
        text += "]";
    } else {
        text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ndm>\n";
        for (int i = 0; i < 400; ++i) {
            text += "<omm id=\"CCSDS_OMM_VERS\" version=\"2.0\">\n<header><CREATION_DATE/></header>\n"
                    "<body><segment><metadata>\n";
            for (int f = 0; f < 17; ++f) {
                if (f == 2) text += "</metadata><data><meanElements>\n";
                if (f == 9) text += "</meanElements><tleParameters>\n";
                text += std::string(" <") + kNames[f] + ">" + value(f, i) + "</" + kNames[f] + ">\n";
            }
            text += "</tleParameters></data></segment></body>\n</omm>\n";
        }
        text += "</ndm>\n";
    }
    return text;
}

void BM_LoadFourHundredOmmRecords(benchmark::State& state) {
    const std::string text = fourHundred(static_cast<int>(state.range(0)));
    auto catalog = std::make_unique<vantrek::SatelliteCatalog>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantrek::loadElementSets(*catalog, text.data(), static_cast<long>(text.size())));
    }
    if (catalog->count != 400) state.SkipWithError("not all 400 records loaded");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
// 0 CSV, 1 JSON, 2 XML.
BENCHMARK(BM_LoadFourHundredOmmRecords)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
