#pragma once
// What the skinned-control tests share: the headless fixture with a skinned
// host form, pixels of what a window presented, and skin files written from
// a built-in look.

#include "support/HeadlessApplicationTest.h"

#include "controls/SUIForm.h"
#include "controls/SUIRegister.h"
#include "skin/SUIThemes.h"

#include <functional>
#include <string>
#include <vector>

class SkinnedTest : public HeadlessApplicationTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A host form with its client at 475 x 203, the wizard's size, taken
    // over by a TsuiForm in `style`, shown. The title bar shows the
    // application icon and hides the maximise button, as the wizard does.
    TsuiForm* NewSkinnedForm(TsuiUIStyle style = TsuiUIStyle::WinXP,
                             TFormBorderStyle border = TFormBorderStyle::bsDialog);
    TCustomForm* Host() const { return FHost; }
    // A pixel of the host window as presented (window coordinates).
    TColor Pixel(int x, int y) { return WindowPixel(FHost, x, y); }
    TColor Pixel(TWsWindow window, int x, int y);
    // The popup windows shown now, bottom to top.
    std::vector<TWsWindow> PopupWindows();
    // Runs `steps` one after another whenever the program waits (a modal
    // loop: an open menu, a message box).
    void Script(std::vector<std::function<void()>> steps);
    // From now on every message box is closed as soon as it shows; its text
    // is kept in BoxTexts.
    void CloseMessageBoxes();
    std::vector<std::string> BoxTexts;

    TCustomForm* FHost = nullptr;

private:
    std::vector<std::function<void()>> FSteps;
    size_t FNextStep = 0;
};

// A skin file holding every item of a built-in look, with `tweak` given the
// chance to change integer and colour items by item number.
void WriteSkinFileFromLook(const std::string& path, TsuiUIStyle look,
                           const std::function<int32_t(int item, int32_t value)>& tweak = {});

// A folder removed at the end of the test.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    std::string File(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};
