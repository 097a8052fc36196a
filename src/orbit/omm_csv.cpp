#include <string>
#include <string_view>
#include <vector>

#include "orbit/omm_readers.hpp"

namespace vantrek {

namespace {

// Columns past this many are not read: no header names more fields.
constexpr std::size_t kMaxColumns = 256;

// One line of a buffer and the place after its line end.
std::string_view nextLine(const char* buffer, long length, long& position) {
    const long start = position;
    long end = start;
    while (end < length && buffer[end] != '\n') ++end;
    position = end < length ? end + 1 : end;
    if (end > start && buffer[end - 1] == '\r') --end;
    return std::string_view(buffer + start, static_cast<std::size_t>(end - start));
}

// Splits a line at commas outside quotes into at most kMaxColumns fields,
// each kept to what setOmmValue would keep of it.
void splitFields(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || (line[i] == ',' && !quoted)) {
            if (fields.size() == kMaxColumns) return;
            fields.push_back(field);
            field.clear();
            continue;
        }
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                ++i;  // "" inside quotes is one quote
            } else {
                quoted = !quoted;
                continue;
            }
        }
        if (field.size() <= kOmmValueMaxBytes) field.push_back(c);
    }
}

bool isBlankLine(std::string_view line) {
    for (char c : line) {
        if (c != ' ' && c != '\t') return false;
    }
    return true;
}

}  // namespace

void readOmmCsv(const char* buffer, long length, OmmLoad& load) {
    if (buffer == nullptr || length <= 0) return;
    long position = 0;
    if (length >= 3 && buffer[0] == '\xEF' && buffer[1] == '\xBB' && buffer[2] == '\xBF') position = 3;

    std::string_view line;
    while (position < length && isBlankLine(line = nextLine(buffer, length, position))) {
    }
    std::vector<std::string> fields;
    splitFields(line, fields);
    std::vector<int> columnField(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) columnField[i] = ommFieldIndex(fields[i]);

    while (position < length) {
        line = nextLine(buffer, length, position);
        if (isBlankLine(line)) continue;
        splitFields(line, fields);
        // A row with fewer fields than the header is broken off (a cut download).
        if (fields.size() < columnField.size()) {
            skipOmmRecord(load);
            continue;
        }
        OmmRecord record;
        for (std::size_t i = 0; i < fields.size() && i < columnField.size(); ++i) {
            setOmmValue(record, columnField[i], fields[i]);
        }
        addOmmRecord(load, record);
    }
}

}  // namespace vantrek
