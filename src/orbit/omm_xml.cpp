#include <cstring>
#include <unordered_set>

#include <pugixml.hpp>

#include "orbit/omm_readers.hpp"

namespace vantrek {

namespace {

// An element's name without its namespace prefix.
const char* localName(const pugi::xml_node& node) {
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return colon != nullptr ? colon + 1 : name;
}

bool isOmm(const pugi::xml_node& node) {
    return node.type() == pugi::node_element && std::strcmp(localName(node), "omm") == 0;
}

// The next node in document order, not entering the children of `node` when
// `enter` is false and not leaving `top`; an empty node at the end.
pugi::xml_node nextNode(pugi::xml_node node, const pugi::xml_node& top, bool enter) {
    if (enter && node.first_child()) return node.first_child();
    while (node && node != top) {
        if (node.next_sibling()) return node.next_sibling();
        node = node.parent();
    }
    return pugi::xml_node();
}

// The fields of one <omm>, leaving out any <omm> nested inside it.
void collectFields(const pugi::xml_node& omm, OmmRecord& record) {
    for (pugi::xml_node node = nextNode(omm, omm, true); node;) {
        const bool nested = isOmm(node);
        if (!nested && node.type() == pugi::node_element) {
            setOmmValue(record, ommFieldIndex(localName(node)), node.child_value());
        }
        node = nextNode(node, omm, !nested);
    }
}

// The <omm> elements still open where a broken document stopped: the parser
// keeps what it read, so the last node and its ancestors are the unclosed ones.
std::unordered_set<const void*> unfinishedOmms(const pugi::xml_document& document) {
    std::unordered_set<const void*> open;
    pugi::xml_node last = document;
    while (last.last_child()) last = last.last_child();
    for (pugi::xml_node node = last; node; node = node.parent()) {
        if (isOmm(node)) open.insert(node.internal_object());
    }
    return open;
}

}  // namespace

namespace {

void readDocument(const char* buffer, long length, OmmLoad& load) {
    pugi::xml_document document;
    const pugi::xml_parse_result result =
        document.load_buffer(buffer, static_cast<std::size_t>(length), pugi::parse_default, pugi::encoding_auto);
    const std::unordered_set<const void*> unfinished =
        result ? std::unordered_set<const void*>() : unfinishedOmms(document);

    for (pugi::xml_node node = nextNode(document, document, true); node; node = nextNode(node, document, true)) {
        if (!isOmm(node)) continue;
        if (unfinished.count(node.internal_object()) != 0) {
            skipOmmRecord(load);
            continue;
        }
        OmmRecord record;
        collectFields(node, record);
        addOmmRecord(load, record);
    }
}

}  // namespace

void readOmmXml(const char* buffer, long length, OmmLoad& load) {
    if (buffer == nullptr || length <= 0) return;
    try {
        readDocument(buffer, length, load);
    } catch (...) {
        // Only running out of memory gets here; the records read so far stay.
    }
}

}  // namespace vantrek
