#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "orbit/omm_readers.hpp"

namespace vantrek {

namespace {

using json = nlohmann::json;

// Events of the parser turned into records. Records are the objects at
// `recordDepth`: 2 inside a top-level array, 1 for a lone top-level object.
// Values inside nested arrays or objects of a record are not element-set fields.
class OmmJsonHandler : public nlohmann::json_sax<json> {
public:
    explicit OmmJsonHandler(OmmLoad& load) : load_(load) {}

    bool null() override { return value(std::string()); }
    bool boolean(bool v) override { return value(v ? "true" : "false"); }
    bool number_integer(number_integer_t v) override { return value(std::to_string(v)); }
    bool number_unsigned(number_unsigned_t v) override { return value(std::to_string(v)); }
    bool number_float(number_float_t, const string_t& text) override { return value(text); }
    bool string(string_t& v) override { return value(v); }
    bool binary(binary_t&) override { return value(std::string()); }

    bool start_object(std::size_t) override {
        if (depth_ == 0) recordDepth_ = 1;
        ++depth_;
        if (depth_ == recordDepth_) {
            record_ = OmmRecord{};
            inRecord_ = true;
        }
        field_ = -1;
        return true;
    }

    bool key(string_t& k) override {
        field_ = depth_ == recordDepth_ ? ommFieldIndex(k) : -1;
        return true;
    }

    bool end_object() override {
        const bool record = depth_ == recordDepth_;
        --depth_;
        field_ = -1;
        if (!record) return true;
        inRecord_ = false;
        addOmmRecord(load_, record_);
        return true;
    }

    bool start_array(std::size_t) override {
        if (depth_ == 0) recordDepth_ = 2;
        // Something other than an object where a record belongs.
        if (depth_ > 0 && depth_ == recordDepth_ - 1) skipOmmRecord(load_);
        ++depth_;
        field_ = -1;
        return true;
    }

    bool end_array() override {
        --depth_;
        field_ = -1;
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        if (inRecord_) skipOmmRecord(load_);  // the record the break cut off
        inRecord_ = false;
        return false;
    }

private:
    bool value(const std::string& text) {
        if (depth_ == recordDepth_ && inRecord_) {
            setOmmValue(record_, field_, text);
        } else if (depth_ == recordDepth_ - 1) {
            skipOmmRecord(load_);  // a bare value where a record belongs
        }
        field_ = -1;
        return true;
    }

    OmmLoad& load_;
    OmmRecord record_;
    int depth_ = 0;
    int recordDepth_ = 1;
    int field_ = -1;
    bool inRecord_ = false;
};

}  // namespace

void readOmmJson(const char* buffer, long length, OmmLoad& load) {
    if (buffer == nullptr || length <= 0) return;
    OmmJsonHandler handler(load);
    try {
        json::sax_parse(buffer, buffer + length, &handler);
    } catch (...) {
        // Only running out of memory gets here; the records read so far stay.
    }
}

}  // namespace vantrek
