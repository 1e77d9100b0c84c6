#include "controls/SUIPopupMenu.h"

#include "controls/SUIPaint.h"
#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/MenuTracker.h"
#include "skin/SUIMgr.h"
#include "skin/SUIPublic.h"

#include <memory>

namespace {

// Theme items the menus read.
constexpr int kFormBackgroundColor = 15;
constexpr int kMenuSelectedBorderColor = 18;
constexpr int kMenuSelectedBackgroundColor = 19;
constexpr int kMenuSelectedFontColor = 20;
constexpr int kMenuBackgroundColor = 21;
constexpr int kMenuFontColor = 22;
constexpr int kMenuBarColor = 23;

constexpr TColor kDisabledText = 0x00808080;

// `name`'s top `rows` rows stretched over `rect` (the MacOS menu pictures).
void StretchSkinRows(TCanvas& canvas, const char* name, int rows, const TRect& rect) {
    TBitmap picture;
    LoadSkinBitmap(name, picture);
    TRect source = Rect(0, 0, picture.Width(), std::min(rows, picture.Height()));
    canvas.StretchBlt(rect, picture, source);
}

} // namespace

const TImageList& SuiMenuCheckMarks() {
    static const std::unique_ptr<TImageList> marks = [] {
        auto list = std::make_unique<TImageList>(16, 16);
        TBitmap mark;
        LoadSkinBitmap("MENU_CHECKED", mark);
        list->AddMasked(mark, clWhite);
        return list;
    }();
    return *marks;
}

void DrawFlatMenuFrame(TCanvas& canvas, const TRect& r, TColor color) {
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(clBlack);
    canvas.FrameRect(Rect(r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1));
    canvas.Brush().SetColor(clWhite);
    canvas.FrameRect(Rect(r.Left + 1, r.Top + 2, r.Right - 2, r.Bottom - 2));
    canvas.Pen().SetColor(color);
    canvas.Polyline({Point(r.Left, r.Bottom - 1), Point(r.Right - 1, r.Bottom - 1),
                     Point(r.Right - 1, r.Top), Point(r.Right, r.Top), Point(r.Left, r.Top)});
}

// --- TsuiMenuLook ---

template <class TBaseMenu>
TsuiMenuLook<TBaseMenu>::TsuiMenuLook(TComponent* owner)
    : TBaseMenu(owner), FStyle(*this, [this] { ApplyStyle(); }) {
    TBaseMenu::SetOwnerDraw(true);
    FStyle.StartWithFormStyle();
}

template <class TBaseMenu> void TsuiMenuLook<TBaseMenu>::ApplyStyle() {
    FBarWidth = 26;
    if (FStyle.UIStyle() == TsuiUIStyle::MacOS) {
        FMenuItemHeight = 20;
        FSeparatorHeight = 12;
        FSeparatorColor = clBlack;
    } else {
        FMenuItemHeight = 21;
        FSeparatorHeight = 5;
        FSeparatorColor = 0x00848284;
    }
    FBarColor = FStyle.GetColor(kMenuBarColor);
    FColor = FStyle.GetColor(kMenuBackgroundColor);
    FFontColor = FStyle.GetColor(kMenuFontColor);
    FSelectedBorderColor = FStyle.GetColor(kMenuSelectedBorderColor);
    FSelectedColor = FStyle.GetColor(kMenuSelectedBackgroundColor);
    FSelectedFontColor = FStyle.GetColor(kMenuSelectedFontColor);
    StyleChanged();
}

template <class TBaseMenu> void TsuiMenuLook<TBaseMenu>::SetMenuItemHeight(int value) {
    if (FStyle.UIStyle() != TsuiUIStyle::MacOS)
        FMenuItemHeight = value;
}

template <class TBaseMenu> void TsuiMenuLook<TBaseMenu>::SetSeparatorHeight(int value) {
    if (FStyle.UIStyle() != TsuiUIStyle::MacOS)
        FSeparatorHeight = value;
}

template <class TBaseMenu> void TsuiMenuLook<TBaseMenu>::HookItem(TMenuItem* item) {
    // Items belong to the form, not to the menu, and may outlive it: a
    // handler whose menu is gone draws the item the default way.
    TComponentTracker menu(this);
    item->SetOnDrawItem(TMenuDrawItemEvent(
        [this, menu, item](TObject*, TCanvas& canvas, TRect rect, bool selected) {
            if (menu.Exists())
                DrawMenuItem(item, canvas, rect, selected);
            else
                item->DefaultDrawItem(canvas, rect, selected);
        }));
    item->SetOnMeasureItem(TMenuMeasureItemEvent(
        [this, menu, item](TObject*, TCanvas& canvas, int& width, int& height) {
            if (menu.Exists())
                MeasureMenuItem(item, canvas, width, height);
        }));
    for (int i = 0; i < item->Count(); ++i)
        HookItem(item->Items(i));
}

template <class TBaseMenu> void TsuiMenuLook<TBaseMenu>::HookItems() {
    TMenuItem* root = this->Items();
    for (int i = 0; i < root->Count(); ++i)
        HookItem(root->Items(i));
}

template <class TBaseMenu> void TsuiMenuLook<TBaseMenu>::Loaded() {
    TBaseMenu::Loaded();
    HookItems();
}

template <class TBaseMenu>
void TsuiMenuLook<TBaseMenu>::Notification(TComponent* component, TOperation operation) {
    TBaseMenu::Notification(component, operation);
    if (FStyle.Notification(component, operation))
        return;
    // An item made later is hooked once it is one of ours; the ones added
    // to the menu after their creation are hooked by MenuChanged.
    if (operation == TOperation::opInsert)
        if (auto* item = dynamic_cast<TMenuItem*>(component))
            if (item->GetParentMenu() == this)
                HookItem(item);
}

template <class TBaseMenu>
void TsuiMenuLook<TBaseMenu>::MenuChanged(TMenuItem* source, bool rebuild) {
    if (rebuild && !this->HasState(csLoading) && !this->HasState(csDestroying))
        HookItems();
    TBaseMenu::MenuChanged(source, rebuild);
}

template <class TBaseMenu> const TImageList* TsuiMenuLook<TBaseMenu>::ItemImages() const {
    return this->Images();
}

template <class TBaseMenu>
bool TsuiMenuLook<TBaseMenu>::HasUsableImage(const TMenuItem* item) const {
    const TImageList* images = ItemImages();
    return item->ImageIndex() != -1 && images != nullptr && item->ImageIndex() >= 0 &&
           item->ImageIndex() < images->Count();
}

template <class TBaseMenu>
void TsuiMenuLook<TBaseMenu>::MeasureMenuItem(TMenuItem* item, TCanvas& canvas, int& width,
                                              int& height) {
    height = item->IsLine() ? FSeparatorHeight : FMenuItemHeight;
    std::string shortCut =
        item->ShortCutValue() != 0 ? ShortCutToText(item->ShortCutValue()) : std::string();
    width = canvas.TextWidth(item->Caption()) + canvas.TextWidth(shortCut) + FBarWidth + 40;
}

template <class TBaseMenu> void TsuiMenuLook<TBaseMenu>::SetItemFont(TCanvas& canvas) const {
    if (FUseSystemFont) {
        AssignSystemMenuFont(canvas.Font());
        return;
    }
    canvas.Font().SetName(FFontName);
    canvas.Font().SetSize(FFontSize);
    canvas.Font().SetCharset(static_cast<uint8_t>(FFontCharset));
    canvas.Font().SetStyle(0);
}

template <class TBaseMenu>
void TsuiMenuLook<TBaseMenu>::DrawMenuItem(TMenuItem* item, TCanvas& canvas, const TRect& r,
                                           bool selected) {
    // MacOS means the stored style: a menu taking its look from a file
    // never uses the MacOS pictures.
    const bool macOS = FStyle.UIStyle() == TsuiUIStyle::MacOS;
    if (FFlatMenu) {
        TRect window;
        TCanvas* screen = nullptr;
        if (GetMenuWindowOfCanvas(canvas, window, screen))
            DrawFlatMenuFrame(*screen, window, FStyle.GetColor(kFormBackgroundColor));
    }
    auto barAndBackground = [&] {
        if (FBarWidth > 0)
            FillSolid(canvas, Rect(r.Left, r.Top, r.Left + FBarWidth, r.Bottom), FBarColor);
        FillSolid(canvas, Rect(r.Left + FBarWidth, r.Top, r.Right, r.Bottom), FColor);
    };

    if (item->IsLine()) {
        if (macOS) {
            StretchSkinRows(canvas, "MACOS_MENU_BAR", 12, r);
            return;
        }
        barAndBackground();
        canvas.Pen().SetColor(FSeparatorColor);
        canvas.MoveTo(r.Left + FBarWidth + 4, r.Top + 2);
        canvas.LineTo(r.Right - 2, r.Top + 2);
        return;
    }

    const bool enabled = item->Enabled();
    if (selected && enabled) {
        if (macOS) {
            StretchSkinRows(canvas, "MACOS_MENU_SELECT", 20, r);
        } else {
            FillSolid(canvas, r, FSelectedColor);
            canvas.Brush().SetColor(FSelectedBorderColor);
            canvas.FrameRect(r);
        }
    } else if (macOS) {
        StretchSkinRows(canvas, "MACOS_MENU_BAR", 20, r);
    } else {
        barAndBackground();
    }

    SetItemFont(canvas);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(!enabled ? kDisabledText : selected ? FSelectedFontColor : FFontColor);
    if (item->Default())
        canvas.Font().SetStyle(canvas.Font().Style() | fsBold);

    TRect text = Rect(r.Left + FBarWidth + 4, r.Top + 4, r.Right, r.Bottom);
    DrawText(canvas, item->Caption(), text, DT_SINGLELINE | DT_LEFT);
    if (item->ShortCutValue() != 0) {
        std::string shortCut = ShortCutToText(item->ShortCutValue());
        canvas.TextOut(r.Right - canvas.TextWidth(shortCut) - 16, r.Top + 4, shortCut);
    }

    const bool image = HasUsableImage(item);
    if (item->Checked()) {
        if (image) {
            canvas.Brush().SetStyle(TBrushStyle::bsSolid);
            canvas.Brush().SetColor(clBlack);
            canvas.FrameRect(Rect(r.Left + 2, r.Top + 1, r.Left + 21, r.Top + 20));
            FillSolid(canvas, Rect(r.Left + 3, r.Top + 2, r.Left + 20, r.Top + 19), FSelectedColor);
        } else {
            CheckMarks().Draw(canvas, r.Left + 4, r.Top + 3, 0, enabled);
        }
    }
    if (image)
        ItemImages()->Draw(canvas, r.Left + 4, r.Top + 3, item->ImageIndex(), enabled);
}

template class TsuiMenuLook<TPopupMenu>;
template class TsuiMenuLook<TMainMenu>;

// --- TsuiPopupMenu ---

SSI_DEFINE_CLASS(TsuiPopupMenu, TsuiMenuLook<TPopupMenu>)

void TsuiPopupMenu::DeclarePublished(TPropertyBuilder& p) {
    DeclareLook<TsuiPopupMenu>(p);
}

TsuiPopupMenu::TsuiPopupMenu(TComponent* owner) : TsuiMenuLook<TPopupMenu>(owner) {}
