#pragma once
// The fixture of the tests that run the framework in a real X server: a
// private Xvfb with DISPLAY pointing at it (the test is skipped where Xvfb or
// xdotool is missing), commands such as xdotool run against it, and the
// message loop pumped until a condition holds. The application and window
// system are reset after each test.

#include "support/Xvfb.h"

#include "framework/ui/Application.h"
#include "platform/backend/Backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

class XServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (testing_support::FindProgram("Xvfb").empty() ||
            testing_support::FindProgram("xdotool").empty())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_TRUE(FServer.Start());
        setenv("DISPLAY", FServer.Display().c_str(), 1);
        unsetenv("SSI_BACKEND");
    }
    void TearDown() override {
        ResetApplication();
        SetWindowSystem(nullptr);
    }
    // Runs a shell command against the private server; its exit status.
    int Run(const std::string& command) {
        return std::system(("DISPLAY=" + FServer.Display() + " " + command).c_str());
    }
    // Handles messages until `done` or the deadline; whether `done` came.
    bool PumpUntil(const std::function<bool()>& done, int milliseconds = 3000) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            Application().ProcessMessages();
            usleep(5000);
        }
        return true;
    }

    testing_support::TXvfb FServer;
};
