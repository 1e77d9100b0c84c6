#include "platform/backend/Backend.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/window/WindowShape.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(WindowShape, RectanglesAreClippedAndHalfOpen) {
    TWindowShape shape(10, 5);
    EXPECT_FALSE(shape.IsEmpty());
    EXPECT_FALSE(shape.Contains(0, 0)) << "a new shape holds nothing";
    shape.AddRect(-5, 3, 4, 100);
    EXPECT_TRUE(shape.Contains(0, 3));
    EXPECT_TRUE(shape.Contains(3, 4));
    EXPECT_FALSE(shape.Contains(4, 4));
    EXPECT_FALSE(shape.Contains(0, 2));
    EXPECT_FALSE(shape.Contains(0, 5));
    shape.SetPixel(99, 99, true); // ignored, not a crash
    shape.SetPixel(3, 4, false);
    EXPECT_FALSE(shape.Contains(3, 4));
}

TEST(WindowShape, NoShapeIsTheWholeWindowAndBeyondTheExtentIsOutside) {
    TWindowShape none;
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(none.WindowContains(20, 10, 19, 9));
    EXPECT_FALSE(none.WindowContains(20, 10, 20, 9));
    EXPECT_FALSE(none.WindowContains(20, 10, -1, 0));

    TWindowShape small(5, 5);
    small.AddRect(0, 0, 5, 5);
    EXPECT_TRUE(small.WindowContains(20, 10, 4, 4));
    EXPECT_FALSE(small.WindowContains(20, 10, 5, 4)) << "a window grown past its shape";
    EXPECT_FALSE(small.WindowContains(3, 3, 4, 4)) << "a window shrunk inside its shape";
}

namespace {

// Sets or clears an environment variable for one scope.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const char* value) : FName(name) {
        const char* old = std::getenv(name);
        FHad = old != nullptr;
        if (FHad)
            FOld = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~TScopedEnv() {
        if (FHad)
            setenv(FName, FOld.c_str(), 1);
        else
            unsetenv(FName);
    }

private:
    const char* FName;
    bool FHad = false;
    std::string FOld;
};

} // namespace

TEST(BackendSelection, WithoutADisplayTheHeadlessBackendServes) {
    TScopedEnv backend("SSI_BACKEND", nullptr);
    TScopedEnv display("DISPLAY", nullptr);
    TScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    EXPECT_STREQ(CreateWindowSystem()->Name(), "headless");
}

TEST(BackendSelection, TheEnvironmentForcesABackend) {
    {
        TScopedEnv backend("SSI_BACKEND", "headless");
        TScopedEnv display("DISPLAY", ":0");
        EXPECT_STREQ(CreateWindowSystem()->Name(), "headless");
    }
    {
        TScopedEnv backend("SSI_BACKEND", "x11");
        TScopedEnv display("DISPLAY", nullptr);
        EXPECT_THROW(CreateWindowSystem(), std::runtime_error) << "forced X without a display";
    }
    TScopedEnv backend("SSI_BACKEND", "gdi");
    EXPECT_THROW(CreateWindowSystem(), std::runtime_error);
}

TEST(BackendSelection, TheProgramWideWindowSystemCanBeReplaced) {
    TScopedEnv backend("SSI_BACKEND", "headless");
    SetWindowSystem(nullptr);
    TWindowSystem& first = WindowSystem();
    EXPECT_EQ(&WindowSystem(), &first);
    TWsWindow w = first.CreateWindow(TWsWindowKind::TopLevel, {0, 0, 1, 1});
    EXPECT_NE(w, 0u);
    SetWindowSystem(std::make_unique<THeadlessBackend>());
    EXPECT_EQ(WindowSystem().BackBuffer(w).Pixels, nullptr) << "a fresh system has no windows";
    SetWindowSystem(nullptr);
}
