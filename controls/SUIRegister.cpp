#include "controls/SUIRegister.h"

#include "controls/SUIButton.h"
#include "controls/SUIForm.h"
#include "controls/SUIGroupBox.h"
#include "controls/SUIImagePanel.h"
#include "controls/SUIMainMenu.h"
#include "controls/SUIMemo.h"
#include "controls/SUIPopupMenu.h"
#include "controls/SUIProgressBar.h"
#include "controls/SUIRadioGroup.h"
#include "controls/SUIScrollBar.h"
#include "controls/SUITitleBar.h"
#include "controls/SUIURLLabel.h"
#include "framework/components/ClassRegistry.h"
#include "framework/ui/FrameworkClasses.h"
#include "skin/SUIMgr.h"

void RegisterSkinnedControls() {
    static const bool registered = [] {
        RegisterFrameworkClasses();
        RegisterSkinComponents();
        RegisterClasses<TsuiPopupMenu, TsuiTitleBar, TsuiTitleBarPopupMenu, TsuiForm,
                        TsuiMainMenu>();
        RegisterClasses<TsuiButton, TsuiImageButton, TsuiCheckBox, TsuiRadioButton,
                        TsuiToolBarSpeedButton, TsuiImagePanel, TsuiGroupBox, TsuiCheckGroup,
                        TsuiRadioGroup, TsuiCheckGroupButton, TsuiRadioGroupButton, TsuiProgressBar,
                        TsuiURLLabel, TsuiScrollBar, TsuiMemo>();
        return true;
    }();
    (void)registered;
}
