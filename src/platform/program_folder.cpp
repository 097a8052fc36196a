#include "platform/program_folder.hpp"

namespace vantrek {

bool programFilePath(const ProgramFolder& folder, const char* fileName, std::string& filePath) {
    filePath.clear();
    if (folder.path.empty()) return false;
    filePath = folder.path;
    if (filePath.back() != '/' && filePath.back() != '\\') filePath += '/';
    filePath += fileName;
    return true;
}

}  // namespace vantrek
