#include "framework/ui/FrameworkClasses.h"

#include "framework/ui/Button.h"
#include "framework/components/ClassRegistry.h"
#include "framework/ui/Forms.h"
#include "framework/graphics/ImageList.h"
#include "framework/ui/Label.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Menus.h"
#include "framework/ui/PageControl.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Timer.h"
#include "framework/ui/ToolBar.h"

void RegisterFrameworkClasses() {
    RegisterClasses<TForm, TPanel, TLabel, TButton, TPageControl, TTabSheet, TTimer, TMenuItem,
                    TPopupMenu, TMainMenu, TToolBar, TToolButton, TMemo, TImageList>();
}
