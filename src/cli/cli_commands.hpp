#pragma once

// Subcommands of vantrek-cli. Each takes the arguments after its own name and
// returns the process exit status: 0 success, 2 unusable input (message on
// standard error).
namespace vantrek::cli {

int runTle(int argc, char** argv);
int runPropagate(int argc, char** argv);
int runLook(int argc, char** argv);
int runPasses(int argc, char** argv);
int runNmea(int argc, char** argv);
int runDraw(int argc, char** argv);
int runDownload(int argc, char** argv);
int runTrack(int argc, char** argv);

}  // namespace vantrek::cli
