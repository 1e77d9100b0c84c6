#include "platform/window/QuitSignals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

int gPipe[2] = {-1, -1};

void OnSignal(int) {
    const int saved = errno;
    // The next SIGINT or SIGTERM, whichever it is, ends the program.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigaction(SIGINT, &standard, nullptr);
    sigaction(SIGTERM, &standard, nullptr);
    const char byte = 1;
    // A full pipe already says that a signal came.
    [[maybe_unused]] ssize_t written = write(gPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

int QuitSignalFd() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        if (pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        struct sigaction action {};
        action.sa_handler = OnSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
    });
    return gPipe[0];
}

bool TakeQuitSignal() {
    const int fd = QuitSignalFd();
    bool arrived = false;
    char buffer[16];
    while (fd >= 0 && read(fd, buffer, sizeof buffer) > 0)
        arrived = true;
    return arrived;
}
