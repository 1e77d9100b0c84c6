#include "controls/SUIRegister.h"

#include "controls/SUIForm.h"
#include "controls/SUIMainMenu.h"
#include "controls/SUIPopupMenu.h"
#include "controls/SUITitleBar.h"
#include "framework/components/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "skin/SUIMgr.h"

void RegisterSkinnedControls() {
    static const bool registered = [] {
        RegisterFrameworkClasses();
        RegisterSkinComponents();
        RegisterClasses<TsuiPopupMenu, TsuiTitleBar, TsuiTitleBarPopupMenu, TsuiForm,
                        TsuiMainMenu>();
        return true;
    }();
    (void)registered;
}
