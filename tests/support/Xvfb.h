#pragma once
// A private Xvfb for the tests that need a real X server. It picks a free
// display number itself (-displayfd), so test programs running side by side
// never collide.

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testing_support {

// The full path of a program found on PATH, or "" when there is none.
inline std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::string();
}

class TXvfb {
public:
    // `screen` is the screen's size and depth, WIDTHxHEIGHTxDEPTH.
    bool Start(const std::string& screen = "640x480x24") {
        const std::string xvfb = FindProgram("Xvfb");
        if (xvfb.empty())
            return false;
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        // The server gets the pipe as descriptor 3 and nothing else of the
        // test's: a test that waits for one of its own pipes to close (a
        // death test) must not wait for the server too.
        std::vector<std::string> args = {xvfb,  "-displayfd", "3",       "-noreset", "-nolisten",
                                         "tcp", "-br",        "-screen", "0",        screen};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const pid_t parent = getpid();
        FPid = fork();
        if (FPid == 0) {
            // The server ends with the test process, however that ends (a
            // death test's child leaves by _exit, a crash by a signal).
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent)
                _exit(1);
            dup2(fds[1], 3);
            close_range(4, ~0U, 0);
            const int null = open("/dev/null", O_RDWR);
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
            if (null > 3)
                close(null);
            execv(xvfb.c_str(), argv.data());
            _exit(127);
        }
        close(fds[1]);
        if (FPid < 0) {
            FPid = 0;
            close(fds[0]);
            return false;
        }
        std::string number;
        char c;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (number.empty())
            return false;
        FDisplay = ":" + number;
        return true;
    }
    ~TXvfb() { Stop(); }
    // Ends the server (as a session's end does).
    void Stop() {
        if (FPid > 0) {
            kill(FPid, SIGTERM);
            waitpid(FPid, nullptr, 0);
            FPid = 0;
        }
    }
    const std::string& Display() const { return FDisplay; }

private:
    pid_t FPid = 0;
    std::string FDisplay;
};

} // namespace testing_support
