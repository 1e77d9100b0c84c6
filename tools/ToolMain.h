#pragma once
// What the command-line tools share: their bad-usage error and how a run
// ends: 0 on success, 1 with one line on standard error for a failure, 2
// with the usage text for a bad command line.

#include <cstdio>
#include <exception>
#include <string>

struct UsageError {
    std::string message;
};

// What --version prints: the program's name and the project's version
// (SSI_VERSION, from the build), on one line.
inline int PrintVersion(const char* program) {
    std::printf("%s %s\n", program, SSI_VERSION);
    return 0;
}

// Runs `body` (which returns the exit status) and turns what it throws into
// the status and message above.
template <class Body> int RunTool(const char* program, const char* usage, Body body) {
    try {
        return body();
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s: %s\n%s", program, e.message.c_str(), usage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", program, e.what());
        return 1;
    }
}
