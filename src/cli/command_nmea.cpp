#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "cli/cli_commands.hpp"
#include "gps/fix_report.hpp"
#include "gps/gps_reader.hpp"
#include "gps/read_sentence.hpp"
#include "platform/linux_serial_port.hpp"

namespace vantrek::cli {

namespace {

constexpr const char* kUsage = "usage: vantrek-cli nmea [FILE | - | --device PATH --baud B --seconds S]\n";

// A file read byte by byte; the end of the file reads as silence.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(std::FILE* file) : file_(file) {}
    bool readByte(char& byte) override {
        const int c = std::fgetc(file_);
        if (c == EOF) {
            ended_ = true;
            return false;
        }
        byte = static_cast<char>(c);
        return true;
    }
    bool ended() const { return ended_; }

private:
    std::FILE* file_;
    bool ended_ = false;
};

void PrintReport(const GpsFix& fix, long accepted, long rejected) {
    std::fputs(FormatGpsFixReport(SnapshotGpsFix(fix)).c_str(), stdout);
    std::printf("accepted=%ld\nrejected=%ld\n", accepted, rejected);
}

int RunOnFile(const char* path) {
    const bool standardInput = std::strcmp(path, "-") == 0;
    std::FILE* file = standardInput ? stdin : std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "vantrek-cli: cannot open %s\n", path);
        return 2;
    }
    FileByteSource source(file);
    auto fix = std::make_unique<GpsFix>();
    long accepted = 0;
    long rejected = 0;
    while (!source.ended()) {
        const int result = ReadSentence(source, *fix);
        if (result > 0) ++accepted;
        if (result == kSentenceRejected) ++rejected;
    }
    if (!standardInput) std::fclose(file);
    PrintReport(*fix, accepted, rejected);
    return 0;
}

// A whole number within [low, high] from the text; false otherwise.
bool ParseCount(const char* text, long low, long high, long& value) {
    errno = 0;
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return errno == 0 && end != text && *end == '\0' && value >= low && value <= high;
}

int RunOnDevice(const char* device, long baud, long seconds) {
    // The device stands in for COM1: in the port table.
    SerialDeviceMap devices;
    devices.path[1] = device;
    auto fix = std::make_unique<GpsFix>();
    GpsReader reader(std::make_unique<LinuxSerialPort>(devices));
    fix->portIndex = 1;
    fix->baudRate = static_cast<uint32_t>(baud);
    if (!StartReader(*fix, reader)) {
        std::fprintf(stderr, "vantrek-cli: cannot start the reader thread\n");
        return 2;
    }
    // Tick like the program's timer, which also notices when the reader gives up.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (TakeReaderGiveUp(*fix)) {
            StopReader(*fix, reader);
            std::fprintf(stderr, "vantrek-cli: %s (%s)\n", kCantConnectText, device);
            return 2;
        }
    }
    StopReader(*fix, reader);
    PrintReport(*fix, reader.tally.accepted, reader.tally.rejected);
    return 0;
}

}  // namespace

int runNmea(int argc, char** argv) {
    if (argc == 1 && std::strncmp(argv[0], "--", 2) != 0) return RunOnFile(argv[0]);

    const char* device = nullptr;
    long baud = 0;
    long seconds = 0;
    bool usable = argc == 6;
    for (int i = 0; usable && i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--device") == 0) {
            device = argv[i + 1];
        } else if (std::strcmp(argv[i], "--baud") == 0) {
            usable = ParseCount(argv[i + 1], 50, 4000000, baud);
        } else if (std::strcmp(argv[i], "--seconds") == 0) {
            usable = ParseCount(argv[i + 1], 1, 86400, seconds);
        } else {
            usable = false;
        }
    }
    if (!usable || device == nullptr || baud == 0 || seconds == 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return RunOnDevice(device, baud, seconds);
}

}  // namespace vantrek::cli
