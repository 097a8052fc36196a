#include "gps/read_sentence.hpp"

#include <cstring>

#include "gps/nmea_fields.hpp"
#include "gps/nmea_sentences.hpp"

namespace vantrek {

namespace {

constexpr int kAttemptsBeforeSilence = 100;

// Fills `line` from the source; false when no '$' came within the attempts.
bool AssembleLine(ByteSource& port, SentenceLine& line) {
    line = SentenceLine();
    char byte = 0;
    bool dollar = false;
    for (int attempt = 0; attempt < kAttemptsBeforeSilence && !dollar; ++attempt) {
        dollar = port.readByte(byte) && byte == '$';
    }
    if (!dollar) return false;

    int stored = 0;
    line.text[stored++] = '$';
    // Ends at CR or LF (not stored), a read with no byte, or a full buffer. The LF
    // after a CR stays in the source and is skipped by the next search for '$'.
    while (stored < kSentenceMaxBytes && port.readByte(byte) && byte != '\r' && byte != '\n') {
        line.text[stored++] = byte;
    }
    line.text[stored] = '\r';
    line.text[stored + 1] = '\n';
    line.text[stored + 2] = '\0';
    line.length = stored + 3;
    return true;
}

}  // namespace

int DispatchSentence(const char* line, int length, GpsFix& fix) {
    if (line == nullptr || length < 6 || !IsNmeaTalker(line)) return kSentenceRejected;
    const char* type = line + 3;
    static const char* const kTypes[] = {"RMC", "VTG", "GGA", "GSA", "GSV"};
    int which = -1;
    for (int i = 0; i < 5 && which < 0; ++i) {
        if (std::strncmp(type, kTypes[i], 3) == 0) which = i;
    }
    if (which < 0 || !VerifyChecksum(line, length)) return kSentenceRejected;
    switch (which) {
        case 0: ParseRmc(line, length, fix); return kSentenceRmc;
        case 1: ParseVtg(line, length, fix); return kSentenceVtg;
        case 2: ParseGga(line, length, fix); return kSentenceGga;
        case 3: ParseGsa(line, length, fix); return kSentenceGsa;
        default: return ParseGsv(line, length, fix) ? kSentenceGsvLast : kSentenceGsvMore;
    }
}

int ReadSentence(ByteSource& port, GpsFix& fix, SentenceLine& line) {
    if (!AssembleLine(port, line)) return kSentenceSilent;
    return DispatchSentence(line.text, line.length, fix);
}

int ReadSentence(ByteSource& port, GpsFix& fix) {
    SentenceLine line;
    return ReadSentence(port, fix, line);
}

}  // namespace vantrek
