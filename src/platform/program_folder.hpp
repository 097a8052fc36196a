#pragma once

#include <string>

namespace vantrek {

// The folder the program file lives in; every data file (Select.bol,
// Cities.loc, Frequencies.txt, the skins and TLE folders) is found there.
// The program passes the folder of its executable; tests pass a temporary one.
// An empty path stands for a program path that could not be cut at a folder
// separator.
struct ProgramFolder {
    std::string path;
};

// The path of `fileName` inside the program folder; false (and `filePath`
// left empty) when the folder is unknown.
bool programFilePath(const ProgramFolder& folder, const char* fileName, std::string& filePath);

// The folder of the running executable; an empty path when the system cannot tell.
ProgramFolder ExecutableFolder();

}  // namespace vantrek
