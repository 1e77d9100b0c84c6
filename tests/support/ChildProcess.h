#pragma once
// A program that a test starts and watches as a person would: it runs
// beside the test with its standard error in a file, can be sent signals,
// and is waited for with a deadline. A child still running when the object
// goes is killed.

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace testing_support {

class TChildProcess {
public:
    TChildProcess() = default;
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;
    ~TChildProcess() {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
        }
    }

    // Starts `arguments` (the program by its path first) with `environment`
    // ("NAME=value" entries, and "NAME" for one to remove) applied to the
    // test's own; standard output goes nowhere, standard error to `errorFile`.
    bool Start(const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment, const std::string& errorFile) {
        FErrorFile = errorFile;
        FPid = fork();
        if (FPid < 0)
            return false;
        if (FPid == 0) {
            for (const std::string& entry : environment)
                if (entry.find('=') == std::string::npos)
                    unsetenv(entry.c_str());
                else
                    putenv(const_cast<char*>(entry.c_str()));
            const int null = open("/dev/null", O_WRONLY);
            const int error = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(null, 1);
            dup2(error, 2);
            std::vector<char*> argv;
            for (const std::string& a : arguments)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        return true;
    }

    void Signal(int signal) {
        if (FPid > 0)
            kill(FPid, signal);
    }

    // The exit status once the program has ended within `milliseconds`;
    // 128 + the signal for a program a signal ended; -1 while it runs.
    int WaitForExit(int milliseconds) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (FPid > 0) {
            int status = 0;
            rusage usage{};
            if (wait4(FPid, &status, WNOHANG, &usage) == FPid) {
                FPid = 0;
                FPeakKiB = usage.ru_maxrss;
                FStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                break;
            }
            if (std::chrono::steady_clock::now() > deadline)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return FStatus;
    }

    // The most memory the program held at once (its peak resident set), in
    // KiB, once it has ended.
    long PeakMemoryKiB() const { return FPeakKiB; }

    std::string ErrorOutput() const {
        std::ifstream in(FErrorFile);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    pid_t FPid = 0;
    int FStatus = -1;
    long FPeakKiB = 0;
    std::string FErrorFile;
};

} // namespace testing_support
