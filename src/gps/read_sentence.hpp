#pragma once

#include "gps/gps_fix.hpp"
#include "platform/byte_source.hpp"

namespace vantrek {

// Results of ReadSentence.
constexpr int kSentenceRmc = 1;
constexpr int kSentenceVtg = 2;
constexpr int kSentenceGga = 3;
constexpr int kSentenceGsa = 4;
constexpr int kSentenceGsvLast = 5;   // the last message of its group
constexpr int kSentenceGsvMore = 10;  // not the last, or numbered out of range
constexpr int kSentenceSilent = 0;    // no '$' within 100 read attempts
constexpr int kSentenceRejected = -1; // another talker, not one of the five types, or bad checksum

constexpr int kSentenceMaxBytes = 100;  // a longer line is cut here and loses its checksum

// One line as assembled: the stored bytes, then CR, LF and a terminating zero.
// `length` counts all of them (stored bytes + 3); 0 when no '$' was found.
struct SentenceLine {
    char text[kSentenceMaxBytes + 3] = {};
    int length = 0;
};

// Reads bytes from the source until it has one sentence, checks it and lets
// the matching parser update the fix. Returns one of the results above; the
// assembled line is left in `line` so a caller can look at a rejected one.
int ReadSentence(ByteSource& port, GpsFix& fix, SentenceLine& line);
int ReadSentence(ByteSource& port, GpsFix& fix);

// Checks an assembled line and dispatches it to its parser (the second half of
// ReadSentence); the result is one of those above, never kSentenceSilent.
int DispatchSentence(const char* line, int length, GpsFix& fix);

}  // namespace vantrek
