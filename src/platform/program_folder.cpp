#include "platform/program_folder.hpp"

#include <unistd.h>

#include <climits>

namespace vantrek {

bool programFilePath(const ProgramFolder& folder, const char* fileName, std::string& filePath) {
    filePath.clear();
    if (folder.path.empty()) return false;
    filePath = folder.path;
    if (filePath.back() != '/' && filePath.back() != '\\') filePath += '/';
    filePath += fileName;
    return true;
}

ProgramFolder ExecutableFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    std::string folder(path, static_cast<std::size_t>(length));
    const std::size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos) return {};
    return {folder.substr(0, slash)};
}

}  // namespace vantrek
