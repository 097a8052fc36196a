#include "platform/program_folder.hpp"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vantrek {

namespace {

std::string joined(const std::string& folder, const char* name) {
    std::string path = folder;
    if (path.back() != '/' && path.back() != '\\') path += '/';
    return path + name;
}

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

bool programFilePath(const ProgramFolder& folder, const char* fileName, std::string& filePath) {
    filePath.clear();
    if (folder.path.empty()) return false;
    if (!folder.userPath.empty()) {
        filePath = joined(folder.userPath, fileName);
        if (exists(filePath)) return true;
    }
    filePath = joined(folder.path, fileName);
    return true;
}

bool programWritePath(const ProgramFolder& folder, const char* fileName, std::string& filePath) {
    filePath.clear();
    if (folder.path.empty()) return false;
    if (folder.userPath.empty()) {
        filePath = joined(folder.path, fileName);
        return true;
    }
    const std::string path = joined(folder.userPath, fileName);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) return false;
    filePath = path;
    return true;
}

std::string elementFileFolder(const ProgramFolder& folder) {
    std::string path;
    if (!programWritePath(folder, "TLE/", path)) return {};
    path.pop_back();
    return path;
}

ProgramFolder ExecutableFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {{}, {}, true};
    std::string folder(path, static_cast<std::size_t>(length));
    const std::size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos) return {};
    return {folder.substr(0, slash), {}};
}

ProgramFolder ChooseProgramFolder(const std::string& executableFolder, const std::string& xdgDataHome,
                                  const std::string& home) {
    if (executableFolder.empty() || exists(joined(executableFolder, "skins")))
        return {executableFolder, {}};
    ProgramFolder folder;
    folder.path = std::filesystem::path(joined(executableFolder, "../share/vantrek"))
                      .lexically_normal()
                      .string();
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/')
        folder.userPath = joined(xdgDataHome, "vantrek");
    else if (!home.empty())
        folder.userPath = joined(home, ".local/share/vantrek");
    else
        folder.userPath = folder.path;  // nowhere else to write: the shared folder, as before
    return folder;
}

ProgramFolder ProgramFolderFromEnvironment(const std::string& executableFolder) {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    return ChooseProgramFolder(executableFolder, xdg ? xdg : "", home ? home : "");
}

}  // namespace vantrek
