#pragma once

// Loopback sockets, daemons in their own process group and bounded waits, for
// the GPS and station tests that talk to real gpsd, rigctld and rotctld
// (header only: this folder builds no test executable of its own).
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace vantrek::testing {

// A TCP socket on 127.0.0.1 at a port the system picks. Listening, it takes
// connections into its backlog and never answers them.
struct LoopbackSocket {
    explicit LoopbackSocket(bool listening = false) : fd(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            (!listening || listen(fd, 4) == 0) &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port = ntohs(address.sin_port);
    }
    ~LoopbackSocket() { close(fd); }
    int fd;
    uint16_t port = 0;
};

// A loopback port nothing listens on at the moment of asking.
inline uint16_t FreeLoopbackPort() { return LoopbackSocket().port; }

// A program in a process group of its own (gpsfake starts gpsd), ended with its group.
struct ChildProgram {
    explicit ChildProgram(std::vector<std::string> args) {
        pid = fork();
        if (pid != 0) return;
        setpgid(0, 0);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    ~ChildProgram() { stop(SIGTERM); }
    void stop(int signal) {
        if (pid <= 0) return;
        kill(-pid, signal);
        kill(pid, signal);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    pid_t pid = -1;
};

// Every wait in these tests is bounded so that a fault fails the test instead of hanging it.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Runs a shut-down on another thread; if it hangs, the test binary ends with a failure.
inline void FinishesOrAbort(const std::function<void()>& work) {
    std::future<void> done = std::async(std::launch::async, work);
    if (done.wait_for(std::chrono::seconds(30)) == std::future_status::ready) return;
    std::fputs("shut-down did not finish within 30 s\n", stderr);
    std::_Exit(1);
}

}  // namespace vantrek::testing
