#pragma once

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace vantrek::testing_support {

// Runs vantrek-cli with the given arguments (which may redirect its standard
// error); returns its exit status and fills `output` with its standard output.
inline int runCli(const std::string& args, std::string& output) {
    const std::string command = std::string(VANTREK_BIN_DIR) + "/vantrek-cli " + args;
    FILE* pipe = popen(command.c_str(), "r");
    output.clear();
    if (!pipe) return -1;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vantrek::testing_support
