#pragma once

#include <string>

namespace vantrek {

// A fresh, empty folder under the system's temporary folder, removed with
// everything in it when the record goes. Tests use it as the program folder.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }
    // The path of a file in the folder.
    std::string file(const std::string& name) const;
    // Writes `bytes` to a file in the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

}  // namespace vantrek
