#include "ui/outside_pages.hpp"

namespace vantrek {

std::string CantOpenPageText(const std::string& address) {
    return "No web browser could open " + address + "\nOpen it in a browser by hand.";
}

bool OpenOutsidePage(const PageOpener& opener, const std::string& address, MessageSink& messages) {
    if (opener && opener(address)) return true;
    messages.showMessage(CantOpenPageText(address), "", MessageIcon::Warning);
    return false;
}

}  // namespace vantrek
