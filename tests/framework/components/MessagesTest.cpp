#include "framework/components/MessageHandler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> trace;

class TBase : public TMessageHandler {
protected:
    void WndProc(TMessage& message) override {
        switch (message.Msg) {
        case WM_SIZE:
            trace.push_back("base size");
            message.Result = 1;
            return;
        }
        TMessageHandler::WndProc(message);
    }
    void DefaultHandler(TMessage& message) override {
        trace.push_back("default " + std::to_string(message.Msg));
        message.Result = -1;
    }
};

class TDerived : public TBase {
protected:
    void WndProc(TMessage& message) override {
        switch (message.Msg) {
        case WM_ERASEBKGND:
            message.Result = 1;
            return;
        case WM_SIZE:
            trace.push_back("derived size");
            break; // and the inherited handling as well
        }
        TBase::WndProc(message);
    }
};

// Hooks another handler's messages and chains to what it replaced.
class THook {
public:
    THook(TMessageHandler& host, std::string name) : FHost(host), FName(std::move(name)) {
        FPrevious = host.WindowProc();
        host.SetWindowProc([this](TMessage& m) { Handle(m); });
    }
    void Unhook() { FHost.SetWindowProc(FPrevious); }
    bool UnhookOnNextMessage = false;

private:
    void Handle(TMessage& m) {
        TWndMethod previous = FPrevious;
        if (UnhookOnNextMessage)
            Unhook();
        if (m.Msg != WM_NCPAINT) // swallowed by the hook
            previous(m);
        trace.push_back(FName + " after " + std::to_string(m.Msg));
    }
    TMessageHandler& FHost;
    std::string FName;
    TWndMethod FPrevious;
};

TEST(Messages, OneSwitchPerClassPassesTheRestToTheInheritedHandler) {
    trace.clear();
    TDerived d;
    EXPECT_EQ(d.Perform(WM_ERASEBKGND), 1);
    EXPECT_EQ(d.Perform(WM_SIZE), 1);
    EXPECT_EQ(d.Perform(WM_PAINT), -1);
    EXPECT_EQ(trace, (std::vector<std::string>{"derived size", "base size", "default 15"}));
}

TEST(Messages, HooksChainAndUnhook) {
    trace.clear();
    TDerived host;
    THook first(host, "first");
    THook second(host, "second");
    EXPECT_EQ(host.Perform(WM_SIZE), 1);
    EXPECT_EQ(trace, (std::vector<std::string>{"derived size", "base size", "first after 5",
                                               "second after 5"}));
    trace.clear();
    host.Perform(WM_NCPAINT);
    EXPECT_EQ(trace, std::vector<std::string>{"second after 133"}); // never passed on

    // A hook may unhook itself while handling a message.
    trace.clear();
    second.UnhookOnNextMessage = true;
    host.Perform(WM_PAINT);
    host.Perform(WM_PAINT);
    EXPECT_EQ(trace, (std::vector<std::string>{"default 15", "first after 15", "second after 15",
                                               "default 15", "first after 15"}));
    first.Unhook();
    trace.clear();
    host.Perform(WM_PAINT);
    EXPECT_EQ(trace, std::vector<std::string>{"default 15"});
    // An empty handler puts the object's own back.
    host.SetWindowProc(nullptr);
    EXPECT_EQ(host.Perform(WM_ERASEBKGND), 1);
}

TEST(Messages, FrameworkNotificationsHaveThePlatformNumbers) {
    EXPECT_EQ(CM_RECREATEWND, 0xB033u);
    EXPECT_EQ(CN_PARENTNOTIFY, 0xBE10u);
    EXPECT_EQ(CM_FLOAT, 0xB03Au);
    EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
    EXPECT_EQ(CM_DIALOGKEY, 0xB005u);
    EXPECT_EQ(MakeLParam(-3, 7), 0x0007FFFD);
    EXPECT_EQ(LoSmallInt(MakeLParam(-3, 7)), -3);
    EXPECT_EQ(HiSmallInt(MakeLParam(-3, 7)), 7);
}
} // namespace
