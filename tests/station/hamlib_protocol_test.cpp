// The daemons' answers as a stream of bytes, good and bad: what the link
// reads, what it refuses, and that it never holds more than a line.
#include <algorithm>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "station/hamlib_protocol.hpp"

using namespace vantrek;

namespace {

// A daemon that answers every command with the same bytes, a piece at a
// time, and then falls silent (a time-out).
class ScriptedStream final : public ByteStream {
public:
    explicit ScriptedStream(std::string answer) : answer_(std::move(answer)) {}
    StreamResult connect(const std::string&, uint16_t) override {
        open_ = true;
        return StreamResult::Ok;
    }
    StreamResult write(const char* bytes, std::size_t count) override {
        sent += std::string(bytes, count);
        position_ = 0;
        return open_ ? StreamResult::Ok : StreamResult::Closed;
    }
    StreamResult read(char* buffer, std::size_t capacity, std::size_t& received) override {
        received = 0;
        if (position_ >= answer_.size()) return StreamResult::TimedOut;
        received = std::min({capacity, answer_.size() - position_, std::size_t{4096}});
        std::copy_n(answer_.data() + position_, received, buffer);
        position_ += received;
        consumed += received;
        return StreamResult::Ok;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

    std::string sent;
    std::size_t consumed = 0;

private:
    std::string answer_;
    std::size_t position_ = 0;
    bool open_ = false;
};

struct AnswerRow {
    const char* source;
    std::string answer;
    LinkError error;
    bool staysOpen;
};

}  // namespace

TEST(HamlibProtocol, FrequencyAnswersGoodAndBad) {
    const AnswerRow rows[] = {
        {"rigctld 4.5 extended answer", "get_freq:\nFrequency: 145800000\nRPRT 0\n", LinkError::None, true},
        {"CR LF line ends and a fraction", "get_freq:\r\nFrequency: 145800000.4\r\nRPRT 0\r\n", LinkError::None, true},
        {"refusal", "get_freq:\nRPRT -11\n", LinkError::DaemonRefused, true},
        {"a 10 MB line", std::string(10 * 1024 * 1024, 'x') + "\n", LinkError::TooLong, false},
        {"binary junk without line ends", std::string(5000, '\x01'), LinkError::TooLong, false},
        {"no end of answer", std::string(40, '\n'), LinkError::Unreadable, false},
        {"nothing at all", "", LinkError::NoAnswer, false},
        {"a frequency that is no number", "Frequency: 1e999\nRPRT 0\n", LinkError::Unreadable, false},
        {"no frequency", "get_freq:\nRPRT 0\n", LinkError::Unreadable, false},
    };
    for (const AnswerRow& row : rows) {
        SCOPED_TRACE(row.source);
        auto stream = std::make_unique<ScriptedStream>(row.answer);
        ScriptedStream* daemon = stream.get();
        HamlibConnection link;
        link.stream = std::move(stream);
        ASSERT_EQ(OpenHamlib(link, "127.0.0.1", 4532), LinkError::None);
        int64_t hz = 0;
        int report = 0;
        EXPECT_EQ(ReadFrequency(link, hz, report), row.error);
        EXPECT_EQ(daemon->sent, "+f\n");
        EXPECT_EQ(HamlibOpen(link), row.staysOpen);
        // Never more than a line's worth is taken from a flood.
        EXPECT_LE(daemon->consumed, kLongestAnswerLine + 1 + 4096);
        if (row.error == LinkError::None) {
            EXPECT_EQ(hz, 145800000);
        }
        if (row.error == LinkError::DaemonRefused) {
            EXPECT_EQ(report, -11);
        }
    }
}
