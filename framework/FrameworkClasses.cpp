#include "framework/FrameworkClasses.h"

#include "framework/Button.h"
#include "framework/ClassRegistry.h"
#include "framework/Forms.h"
#include "framework/ImageList.h"
#include "framework/Label.h"
#include "framework/Memo.h"
#include "framework/Menus.h"
#include "framework/PageControl.h"
#include "framework/Panel.h"
#include "framework/Timer.h"
#include "framework/ToolBar.h"

void RegisterFrameworkClasses() {
    RegisterClasses<TForm, TPanel, TLabel, TButton, TPageControl, TTabSheet, TTimer, TMenuItem,
                    TPopupMenu, TMainMenu, TToolBar, TToolButton, TMemo, TImageList>();
}
