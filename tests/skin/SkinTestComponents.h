#pragma once
// Components for the skin tests: a stand-in for the platform's form (the
// skin library knows forms by class name only), a skinned control that
// follows the control-side contract through TsuiStyleLink and records what
// happens to it, and helpers that write skin files to disk.

#include "framework/components/Components.h"
#include "skin/SUIMgr.h"
#include "skin/SUIStyleLink.h"
#include "skin/SUIThemeFile.h"

#include <cstdint>
#include <string>
#include <vector>

// Classes named like the platform's form and frame.
class TTestForm : public TComponent {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    explicit TTestForm(TComponent* owner = nullptr) : TComponent(owner) {}
};

class TTestFrame : public TComponent {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    explicit TTestFrame(TComponent* owner = nullptr) : TComponent(owner) {}
};

// A skinned control. Every refresh records the style it was asked for and
// the look it resolved to (background colour, item 15).
class TsuiTestControl : public TComponent {
    SSI_CLASS(TsuiTestControl, TComponent)
public:
    explicit TsuiTestControl(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* value);
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    void SetUIStyle(TsuiUIStyle value);
    const TsuiStyleLink& Style() const { return FStyle; }

    struct TRefresh {
        TsuiUIStyle Style;
        TColor Background;
    };
    std::vector<TRefresh> Refreshes;
    // "UIStyle" and "FileTheme" for each call of the published setters.
    std::vector<std::string> SetterCalls;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TsuiStyleLink FStyle;
};

// The same properties under a class name without the skin prefix.
class TOtherTestControl : public TsuiTestControl {
    SSI_CLASS(TOtherTestControl, TsuiTestControl)
public:
    using TsuiTestControl::TsuiTestControl;
};

// A scratch folder removed at the end of the test.
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
