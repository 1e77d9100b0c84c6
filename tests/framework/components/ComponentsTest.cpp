#include "support/ComponentTestClasses.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Records the notifications it receives.
class TListener : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<std::string> Heard;
    std::function<void(TComponent*, TOperation)> OnHeard;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        Heard.push_back((operation == TOperation::opInsert ? "insert " : "remove ") +
                        component->Name());
        if (OnHeard)
            OnHeard(component, operation);
    }
};

TEST(Components, OwnerDestroysOwnedAndFreeLeavesOwner) {
    auto root = std::make_unique<TComponent>(nullptr);
    auto* a = new TComponent(root.get());
    auto* b = new TComponent(root.get());
    auto* grandchild = new TComponent(b);
    TComponentTracker ta(a), tb(b), tg(grandchild);
    EXPECT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(b->ComponentIndex(), 1);

    a->Free();
    EXPECT_FALSE(ta.Exists());
    EXPECT_EQ(root->ComponentCount(), 1);
    EXPECT_EQ(root->Component(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
    EXPECT_THROW(root->Component(1), EListError);

    root.reset();
    EXPECT_FALSE(tb.Exists());
    EXPECT_FALSE(tg.Exists());
}

TEST(Components, NamesAreIdentifiersUniqueWithoutRegardToCase) {
    TComponent root(nullptr);
    auto* a = new TComponent(&root);
    auto* b = new TComponent(&root);
    a->SetName("CoverNextBtn");
    EXPECT_EQ(root.FindComponent("covernextbtn"), a);
    EXPECT_EQ(root.FindComponent(""), nullptr);
    EXPECT_EQ(root.FindComponent("Other"), nullptr);

    try {
        b->SetName("COVERNEXTBTN");
        FAIL() << "duplicate accepted";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "A component named COVERNEXTBTN already exists");
    }
    EXPECT_EQ(b->Name(), "");
    try {
        b->SetName("2nd");
        FAIL() << "invalid name accepted";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "'2nd' is not a valid component name");
    }
    a->SetName("coverNextBtn"); // its own name in another case is no clash
    EXPECT_EQ(a->Name(), "coverNextBtn");

    // Moving a component to an owner that has its name is refused.
    TComponent other(nullptr);
    auto* c = new TComponent(&other);
    c->SetName("CoverNextBtn");
    EXPECT_THROW(root.InsertComponent(c), EComponentError);
    EXPECT_EQ(c->Owner(), &other);
}

TEST(Components, OwnershipCannotLoop) {
    TComponent root(nullptr);
    auto* child = new TComponent(&root);
    EXPECT_THROW(child->InsertComponent(&root), EComponentError);
    EXPECT_THROW(child->InsertComponent(child), EComponentError);
    EXPECT_EQ(root.Owner(), nullptr);
}

TEST(Components, OwnerPassesInsertionAndRemovalToAllItsComponents) {
    TComponent root(nullptr);
    auto* listener = new TListener(&root);
    auto* other = new TListener(&root);
    listener->Heard.clear();
    auto* button = new TComponent(&root);
    button->SetName("Button");
    button->Free();
    EXPECT_EQ(listener->Heard, (std::vector<std::string>{"insert ", "remove Button"}));
    EXPECT_EQ(other->Heard, (std::vector<std::string>{"insert ", "remove Button"}));
}

TEST(Components, FreeNotificationReachesOtherOwnersOnceAndIsMutual) {
    TComponent formA(nullptr), formB(nullptr);
    auto* listener = new TListener(&formA);
    auto* theme = new TComponent(&formB);
    theme->SetName("Theme");
    listener->FreeNotification(theme);
    listener->Heard.clear();
    theme->Free();
    EXPECT_EQ(listener->Heard, std::vector<std::string>{"remove Theme"});

    // A sibling that asked hears it once, not once from the owner and once
    // more from its own request.
    auto* sibling = new TComponent(&formA);
    sibling->SetName("Sibling");
    listener->FreeNotification(sibling);
    listener->Heard.clear();
    sibling->Free();
    EXPECT_EQ(listener->Heard, std::vector<std::string>{"remove Sibling"});

    // The link is mutual: a listener that goes first is not called later.
    auto* theme2 = new TComponent(&formB);
    auto* listener2 = new TListener(&formA);
    listener2->FreeNotification(theme2);
    listener2->Free();
    theme2->Free(); // would touch the freed listener if the link survived

    // After RemoveFreeNotification nothing arrives.
    auto* theme3 = new TComponent(&formB);
    listener->FreeNotification(theme3);
    listener->RemoveFreeNotification(theme3);
    listener->Heard.clear();
    theme3->Free();
    EXPECT_TRUE(listener->Heard.empty());
}

TEST(Components, ListKeepingHandlerRemovesTheNameOnce) {
    TComponent form(nullptr);
    auto* manager = new TTestManager(&form);
    auto* button = new TComponent(&form);
    button->SetName("NextBtn");
    manager->Names().SetText("NextBtn\nnextbtn\nOther\n");
    manager->FreeNotification(button);
    button->Free();
    EXPECT_EQ(manager->Names().Text(), "nextbtn\r\nOther\r\n");
}

TEST(Components, HandlerMayFreeOtherComponentsDuringNotification) {
    TComponent root(nullptr);
    auto* first = new TListener(&root);
    auto* victim = new TComponent(&root);
    auto* last = new TListener(&root);
    TComponentTracker tv(victim);
    auto* doomed = new TComponent(&root);
    doomed->SetName("Doomed");
    first->OnHeard = [&](TComponent* c, TOperation op) {
        if (op == TOperation::opRemove && c == doomed && tv.Exists())
            victim->Free();
    };
    last->Heard.clear();
    doomed->Free();
    EXPECT_FALSE(tv.Exists());
    EXPECT_EQ(last->Heard, (std::vector<std::string>{"remove ", "remove Doomed"}));
    EXPECT_EQ(root.ComponentCount(), 2);
}

TEST(Components, ProtectorKeepsComponentAliveAcrossCallbackThatFreesIt) {
    auto form = std::make_unique<TTestForm>(nullptr);
    auto* button = new TTestControl(form.get());
    button->SetName("Button");
    bool ranAfter = false;
    button->SetOnClick(TNotifyEvent([&](TObject*) { form.reset(); }));
    {
        TComponentProtector guard(button);
        button->Click();
        EXPECT_TRUE(guard.Freed());
        // Still a whole object, detached from the destroyed form.
        EXPECT_EQ(button->Owner(), nullptr);
        EXPECT_EQ(button->Name(), "Button");
        EXPECT_TRUE(button->HasState(csDestroying));
        ranAfter = true;
    }
    EXPECT_TRUE(ranAfter);

    // Free() while protected defers the destruction too.
    TComponent root(nullptr);
    auto* c = new TComponent(&root);
    TComponentTracker tracker(c);
    {
        TComponentProtector guard(c);
        c->Free();
        EXPECT_FALSE(tracker.Exists());
        EXPECT_EQ(root.ComponentCount(), 0);
        c->Free(); // a second request changes nothing
    }
}
} // namespace
