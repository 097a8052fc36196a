#pragma once

#include <string>

namespace vantrek {

// Where the program's data files live. In the portable layout (the build
// folder, a copied folder) every file — Select.bol, Cities.loc,
// Frequencies.txt, the skins and TLE folders — sits beside the executable and
// `userPath` is empty. In the installed layout `path` is the read-only shared
// folder (<prefix>/share/vantrek) and `userPath` the user's own data folder
// ($XDG_DATA_HOME/vantrek): files the program writes go there, and a file the
// user places there is read before the shared copy.
// An empty `path` stands for a program path that could not be cut at a folder
// separator, or, with `pathUnknown`, for one the system could not tell at all.
struct ProgramFolder {
    std::string path;
    std::string userPath{};    // empty in the portable layout
    bool pathUnknown = false;  // the program's own path could not be found
};

// The path to read `fileName` from: the user's copy when one exists, else the
// one in the program folder. False (and `filePath` left empty) when the folder
// is unknown.
bool programFilePath(const ProgramFolder& folder, const char* fileName, std::string& filePath);

// The path to write `fileName` to: inside the user's data folder (created with
// its parents when missing) in the installed layout, the program folder
// otherwise. False when the folder is unknown or cannot be created.
bool programWritePath(const ProgramFolder& folder, const char* fileName, std::string& filePath);

// The folder element-set files are opened from and downloaded into.
std::string elementFileFolder(const ProgramFolder& folder);

// The folder of the running executable; an empty path when the system cannot tell.
ProgramFolder ExecutableFolder();

// Picks the layout: portable when `executableFolder` holds a skins folder,
// else installed with the shared files in <executable>/../share/vantrek and
// the user's files in `xdgDataHome`/vantrek (`home`/.local/share/vantrek when
// `xdgDataHome` is empty or not absolute, as the XDG rules ask).
ProgramFolder ChooseProgramFolder(const std::string& executableFolder, const std::string& xdgDataHome,
                                  const std::string& home);

// ChooseProgramFolder with XDG_DATA_HOME and HOME from the environment.
ProgramFolder ProgramFolderFromEnvironment(const std::string& executableFolder);

}  // namespace vantrek
