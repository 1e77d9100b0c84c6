#include "framework/ui/MenuTracker.h"

#include "framework/ui/Accelerator.h"
#include "framework/ui/Application.h"
#include "framework/ui/CharacterJoiner.h"
#include "framework/ui/MenuWindow.h"
#include "framework/ui/Menus.h"
#include "platform/kernel32/CodePage.h"

#include <algorithm>
#include <memory>

namespace {

class TMenuTracker : public TInputGrab {
public:
    TMenuItem* Run(TMenuItem* root, int x, int y);
    TMenuWindow* LevelOfCanvas(const TCanvas& canvas) {
        for (auto& level : FLevels)
            if (level->DrawsOn(canvas))
                return level.get();
        return nullptr;
    }
    bool HandleEvent(const TWsEvent& event) override;
    void Cancel() { FDone = true; }

private:
    void Open(TMenuItem* parent, int x, int y, int avoidLeft);
    void CloseAbove(size_t depth);
    void Activate(size_t depth, int index, bool fromKeyboard);
    bool Selectable(const TMenuItem* item) const {
        return item->Visible() && !item->IsLine() && item->Enabled();
    }
    // The level and item under the screen point; false when it is outside
    // every level.
    bool HitTest(const TPoint& p, size_t& depth, int& index) const;
    void Move(int step);
    // The "&" letter chooses at once when only one item has it; several
    // take turns in the selection.
    void ChooseByLetter(char32_t letter);

    std::vector<std::unique_ptr<TMenuWindow>> FLevels;
    // A letter or digit key stands for its own character unless the window
    // system types text for it: then the text is the letter (the A key of
    // a Cyrillic layout chooses "&Файл"). Pending until that is known.
    int FKeyLetter = 0;
    TCharacterJoiner FTyped;
    bool FDone = false;
    bool FArmed = false; // the pointer has been over the menu since it opened
    TMenuItem* FChosen = nullptr;
};

TMenuTracker* current = nullptr;
TMenuTracker* opening = nullptr; // the tracker whose first level is being drawn

TMenuItem* TMenuTracker::Run(TMenuItem* root, int x, int y) {
    opening = this;
    try {
        Open(root, x, y, x);
    } catch (...) {
        opening = nullptr;
        CloseAbove(0);
        throw;
    }
    opening = nullptr;
    if (FLevels.empty())
        return nullptr;
    TInputGrab* previousGrab = Application().InputGrab();
    TMenuTracker* previous = current;
    current = this;
    Application().SetInputGrab(this);
    try {
        while (!FDone)
            if (!Application().HandleMessage())
                break;
    } catch (...) {
        Application().SetInputGrab(previousGrab);
        current = previous;
        CloseAbove(0);
        throw;
    }
    Application().SetInputGrab(previousGrab);
    current = previous;
    CloseAbove(0);
    return FChosen;
}

void TMenuTracker::Open(TMenuItem* parent, int x, int y, int avoidLeft) {
    std::unique_ptr<TMenuWindow> level = TMenuWindow::Create(parent, x, y, avoidLeft);
    if (!level)
        return;
    TMenuWindow& ref = *level;
    // Listed before it paints: its items may look for their window
    // (GetMenuWindowOfCanvas) while they draw.
    FLevels.push_back(std::move(level));
    ref.Paint();
    ref.Show();
}

void TMenuTracker::CloseAbove(size_t depth) {
    while (FLevels.size() > depth)
        FLevels.pop_back();
}

void TMenuTracker::Activate(size_t depth, int index, bool fromKeyboard) {
    TMenuWindow& level = *FLevels[depth];
    if (index < 0 || index >= level.Count())
        return;
    TMenuItem* item = level.Items(index);
    if (!Selectable(item))
        return;
    level.Select(index);
    if (item->Count() > 0) {
        if (FLevels.size() > depth + 1 && FLevels[depth + 1]->Parent() == item)
            return;
        CloseAbove(depth + 1);
        const TRect& r = level.ItemRect(index);
        Open(item, level.Bounds().Right - kMenuFrame, level.Bounds().Top + r.Top - kMenuFrame,
             level.Bounds().Left + kMenuFrame);
        if (fromKeyboard && FLevels.size() > depth + 1) {
            TMenuWindow& sub = *FLevels[depth + 1];
            for (int i = 0; i < sub.Count(); ++i)
                if (Selectable(sub.Items(i))) {
                    sub.Select(i);
                    break;
                }
        }
        return;
    }
    FChosen = item;
    FDone = true;
}

bool TMenuTracker::HitTest(const TPoint& p, size_t& depth, int& index) const {
    for (size_t d = FLevels.size(); d-- > 0;) {
        const TMenuWindow& level = *FLevels[d];
        if (!PtInRect(level.Bounds(), p))
            continue;
        depth = d;
        index = level.ItemAt(p);
        return true;
    }
    return false;
}

void TMenuTracker::Move(int step) {
    size_t depth = FLevels.size() - 1;
    TMenuWindow& level = *FLevels[depth];
    int n = level.Count();
    int i = level.Selected();
    for (int k = 0; k < n; ++k) {
        i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
        if (Selectable(level.Items(i))) {
            level.Select(i);
            return;
        }
    }
}

void TMenuTracker::ChooseByLetter(char32_t letter) {
    size_t last = FLevels.size() - 1;
    TMenuWindow& level = *FLevels[last];
    std::vector<int> matches;
    for (int i = 0; i < level.Count(); ++i)
        if (Selectable(level.Items(i)) &&
            IsAccel(static_cast<int>(letter), level.Items(i)->Caption()))
            matches.push_back(i);
    if (matches.size() == 1) {
        Activate(last, matches[0], true);
    } else if (!matches.empty()) {
        auto next = std::upper_bound(matches.begin(), matches.end(), level.Selected());
        level.Select(next == matches.end() ? matches[0] : *next);
    }
}

bool TMenuTracker::HandleEvent(const TWsEvent& e) {
    const bool typed = e.Type == TWsEventType::Char && e.Char >= 0x20;
    if (FKeyLetter != 0 && !typed) {
        const int letter = FKeyLetter;
        FKeyLetter = 0;
        if (!FDone && !FLevels.empty())
            ChooseByLetter(static_cast<char32_t>(letter));
    }
    if (FDone || FLevels.empty())
        return false;
    TPoint p = Point(e.X, e.Y);
    size_t depth = 0;
    int index = -1;
    switch (e.Type) {
    case TWsEventType::MouseMove:
        if (HitTest(p, depth, index) && index >= 0) {
            FArmed = true;
            TMenuItem* item = FLevels[depth]->Items(index);
            if (FLevels.size() > depth + 1 && FLevels[depth + 1]->Parent() != item)
                CloseAbove(depth + 1);
            FLevels[depth]->Select(Selectable(item) ? index : -1);
            if (Selectable(item) && item->Count() > 0)
                Activate(depth, index, false);
        }
        return true;
    case TWsEventType::MouseDown:
        if (!HitTest(p, depth, index)) {
            FDone = true; // a press outside closes the menu and goes nowhere
            return true;
        }
        FArmed = true;
        if (index >= 0 && FLevels[depth]->Items(index)->Count() > 0)
            Activate(depth, index, false);
        return true;
    case TWsEventType::MouseUp:
        if (FArmed && HitTest(p, depth, index) && index >= 0 &&
            FLevels[depth]->Items(index)->Count() == 0)
            Activate(depth, index, false);
        return true;
    case TWsEventType::MouseWheel:
        return true;
    case TWsEventType::KeyDown: {
        FTyped.Reset();
        size_t last = FLevels.size() - 1;
        switch (e.Key) {
        case VK_UP:
            Move(-1);
            break;
        case VK_DOWN:
            Move(1);
            break;
        case VK_RIGHT:
            if (FLevels[last]->Selected() >= 0)
                if (FLevels[last]->Items(FLevels[last]->Selected())->Count() > 0)
                    Activate(last, FLevels[last]->Selected(), true);
            break;
        case VK_LEFT:
            if (last > 0)
                CloseAbove(last);
            break;
        case VK_ESCAPE:
            if (last > 0)
                CloseAbove(last);
            else
                FDone = true;
            break;
        case VK_MENU:
            FDone = true;
            break;
        case VK_RETURN:
        case VK_SPACE:
            Activate(last, FLevels[last]->Selected(), true);
            break;
        default:
            if ((e.Key >= 'A' && e.Key <= 'Z') || (e.Key >= '0' && e.Key <= '9'))
                FKeyLetter = e.Key;
            break;
        }
        return true;
    }
    case TWsEventType::Char:
        if (typed) {
            FKeyLetter = 0;
            const std::string text = FTyped.Add(static_cast<char>(e.Char));
            for (size_t i = 0; i < text.size() && !FDone; i = NextCharacter(text, i))
                ChooseByLetter(DecodeCharacter(text, i).CodePoint);
        } else {
            FTyped.Reset();
        }
        return true;
    case TWsEventType::KeyUp:
        return true;
    case TWsEventType::Quit:
    case TWsEventType::Close:
        FDone = true;
        return false;
    default:
        return false;
    }
}

} // namespace

TMenuItem* TrackMenu(TMenuItem* parent, int x, int y, bool click) {
    TMenuTracker tracker;
    TMenuItem* chosen = tracker.Run(parent, x, y);
    if (chosen != nullptr && click)
        chosen->Click();
    return chosen;
}

bool GetMenuWindowOfCanvas(const TCanvas& canvas, TRect& screenRect, TCanvas*& screenCanvas) {
    // The levels being built are not current yet: look at the tracker that
    // is running and, while a tracker opens its first level, at that one.
    for (TMenuTracker* t : {current, opening})
        if (t != nullptr)
            if (TMenuWindow* level = t->LevelOfCanvas(canvas)) {
                screenRect = level->Bounds();
                screenCanvas = &level->ScreenCanvas();
                return true;
            }
    return false;
}

bool IsMenuOpen() {
    return current != nullptr;
}

void CloseOpenMenu() {
    if (current != nullptr)
        current->Cancel();
}
