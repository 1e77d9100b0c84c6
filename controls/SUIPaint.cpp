#include "controls/SUIPaint.h"

#include "framework/ui/PageControl.h"
#include "skin/SUIPublic.h"

namespace {

bool ShowsGrandparent(const TWinControl* parent) {
    return dynamic_cast<const TTabSheet*>(parent) != nullptr ||
           parent->ClassInfo().InheritsFrom("TsuiDBNavigator") ||
           parent->ClassInfo().InheritsFrom("TsuiToolBar");
}

} // namespace

void FillSolid(TCanvas& canvas, const TRect& rect, TColor color) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(rect);
}

void DrawSeeThrough(TCanvas& canvas, TControl* control, bool grandparentToo) {
    TWinControl* parent = control->Parent();
    if (parent == nullptr)
        return;
    if (grandparentToo && ShowsGrandparent(parent)) {
        // The grandparent's pixels under this control: its place in the
        // parent, then the parent's place in the grandparent.
        int level = canvas.SaveState();
        canvas.MoveOrigin(-control->Left(), -control->Top());
        DrawParentBackground(canvas, parent);
        canvas.RestoreState(level);
        return;
    }
    DrawParentBackground(canvas, control);
}
