#pragma once

namespace vantrek {

// Something that delivers a byte stream one byte per read, with a time-out:
// a serial port, or a buffer in tests and in the command-line tool.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // Reads one byte into `byte`. False when none arrived within the source's
    // time-out (or the source has ended or failed); every call is one attempt.
    virtual bool readByte(char& byte) = 0;
};

// A byte source over a piece of text; once it is used up every read fails at once.
class MemoryByteSource final : public ByteSource {
public:
    MemoryByteSource(const char* bytes, long length)
        : bytes_(bytes), length_(bytes != nullptr && length > 0 ? length : 0) {}

    bool readByte(char& byte) override {
        if (position_ >= length_) return false;
        byte = bytes_[position_++];
        return true;
    }
    bool atEnd() const { return position_ >= length_; }

private:
    const char* bytes_;
    long length_;
    long position_ = 0;
};

}  // namespace vantrek
