#pragma once
// A fresh application on a headless window system of its own, installed as
// the program's for as long as this lives; the application is reset before
// and after, so nothing one user made survives into the next. Free of
// GoogleTest: the benchmarks use it as it is, the tests through
// HeadlessApplicationTest.h.

#include "framework/ui/Application.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/backend/Backend.h"

#include <memory>

class THeadlessApplication {
public:
    THeadlessApplication() {
        ResetApplication();
        auto backend = std::make_unique<THeadlessBackend>();
        FBackend = backend.get();
        SetWindowSystem(std::move(backend));
    }
    ~THeadlessApplication() {
        ResetApplication();
        SetWindowSystem(nullptr);
    }
    THeadlessApplication(const THeadlessApplication&) = delete;
    THeadlessApplication& operator=(const THeadlessApplication&) = delete;

    // The installed window system, to inject input, move its clock and read
    // back what it presented.
    THeadlessBackend& Backend() const { return *FBackend; }

private:
    THeadlessBackend* FBackend;
};
