#include "orbit/element_set_forms.hpp"

#include <string_view>


namespace vantrek {

ElementSetForm detectElementSetForm(const char* buffer, long length) {
    if (buffer == nullptr || length <= 0) return ElementSetForm::TwoLine;
    long position = 0;
    if (length >= 3 && buffer[0] == '\xEF' && buffer[1] == '\xBB' && buffer[2] == '\xBF') position = 3;
    while (position < length && (buffer[position] == ' ' || buffer[position] == '\t' ||
                                 buffer[position] == '\r' || buffer[position] == '\n')) {
        ++position;
    }
    if (position == length) return ElementSetForm::TwoLine;
    const char first = buffer[position];
    if (first == '[' || first == '{') return ElementSetForm::OmmJson;
    if (first == '<') return ElementSetForm::OmmXml;

    long end = position;
    while (end < length && buffer[end] != '\n') ++end;
    const std::string_view firstLine(buffer + position, static_cast<std::size_t>(end - position));
    return firstLine.find("NORAD_CAT_ID") != std::string_view::npos ? ElementSetForm::OmmCsv
                                                                    : ElementSetForm::TwoLine;
}

}  // namespace vantrek
