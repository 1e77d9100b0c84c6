#pragma once
// TsuiMemo: the native multi-line edit with a skinned look. A one-pixel
// frame in the look's border colour runs round it on its two-pixel border
// band (the memo's own colour fills the pixel inside it), and it can drive
// two skinned scroll bars that lie over its native ones and mirror them.
//
// Attaching a bar (VScrollBar, HScrollBar) gives the memo the native bars
// of exactly the attached kinds, turns the bar the right way, places it
// over the native one and keeps it in step both ways: after the input and
// editing messages that can scroll the text the bar takes the native range,
// position and thumb length; when the bar moves, the memo asks its native
// control for the bar's position (a thumb-position request, or the 32-bit
// scroll position beyond 65535). Two flags keep either direction from
// echoing back into the other. The memo does not own the bars.

#include "controls/SUIScrollBar.h"
#include "framework/ui/Memo.h"
#include "skin/SUIStyleLink.h"

class TsuiMemo : public TCustomMemo {
    SSI_CLASS(TsuiMemo, TCustomMemo)
public:
    explicit TsuiMemo(TComponent* owner);
    // The bars it leaves behind no longer call it.
    ~TsuiMemo() override;
    static void DeclarePublished(TPropertyBuilder& p);

    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    // Given to the attached bars as well.
    void SetFileTheme(TsuiFileTheme* value);
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    // BorderColor from the look; the attached bars take the look too.
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TsuiScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TsuiScrollBar* value);
    TsuiScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TsuiScrollBar* value);

    // Places the attached bars over the native ones (each shown only when
    // it fits the memo across), then synchronises them.
    void PlaceBars();
    // Copies the native scroll state into the attached bars.
    void SyncBars();

    // The three flags that keep the two directions apart.
    bool Syncing() const { return FSyncing; }
    bool ScrollingFromBar() const { return FScrollingFromBar; }
    bool Selecting() const { return FSelecting; }
    const TsuiStyleLink& Style() const { return FStyle; }

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void PaintNonClient(TCanvas& canvas) override;
    // Text changed by typing, pasting or code: the bars follow.
    void Change() override;

private:
    void StyleChanged();
    void AttachBar(TsuiScrollBar*& slot, TsuiScrollBar* value, bool vertical);
    void ReleaseBar(TsuiScrollBar* bar);
    // ScrollBars from the kinds of bars attached.
    void ChooseNativeBars();
    void SyncBar(TsuiScrollBar* bar, int kind);
    void BarChanged(int kind);
    void VBarChanged(TObject*) { BarChanged(SB_VERT); }
    void HBarChanged(TObject*) { BarChanged(SB_HORZ); }

    TsuiStyleLink FStyle;
    TColor FBorderColor = clBlack;
    TsuiScrollBar* FVScrollBar = nullptr;
    TsuiScrollBar* FHScrollBar = nullptr;
    // Set while the bars take the native state: their OnChange must not
    // scroll the text back.
    bool FSyncing = false;
    // Set while the text scrolls because a bar moved: the scroll messages
    // that causes must not synchronise the bars back.
    bool FScrollingFromBar = false;
    // Set between a left button down and up inside the memo: moves then
    // select, and may scroll.
    bool FSelecting = false;
};
