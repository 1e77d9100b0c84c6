#pragma once
// TsuiScrollBar: a skinned scroll bar made of three children: an arrow
// button at each end (TsuiImageButton, stepping Position by SmallChange one
// interval after the press and then every 100 ms while held) and between
// them a scroll track (TsuiScrollTrackBar) whose slider shows a thumb
// composed from the look's three pieces: the start cap, the middle
// stretched, the end cap. The look's arrow strip and thumb pieces are drawn
// for one direction and turned for the other.
//
// The bar scrolls nothing itself: whoever binds it sets its range and
// position and listens to OnChange (the skinned memo does so for its
// VScrollBar and HScrollBar). Max, Min, Position, PageSize and OnChange are
// the track's. Its length is its own Width (Height when vertical); across,
// it takes the arrow buttons' size at every layout.

#include "controls/SUIButton.h"
#include "controls/SUIProgressBar.h"
#include "controls/SUITrackBar.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Panel.h"
#include "skin/SUIStyleLink.h"

class TsuiScrollBar : public TCustomPanel {
    SSI_CLASS(TsuiScrollBar, TCustomPanel)
public:
    explicit TsuiScrollBar(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* value) { FStyle.SetFileTheme(value); }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    // Colour, arrows and thumb pieces from the look, then a new layout.
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }
    // A thumb of this many pixels (never fewer than 18: a smaller value
    // reads back as 18 once the thumb is built), or 0 for a thumb PageSize
    // percent of the track long (10 percent for a PageSize below 10 or
    // above 100). A value longer than the room between the arrows, or
    // below 0, is ignored (for a bar read from a layout, once it is read).
    int LineButton() const { return FLineButton; }
    void SetLineButton(int value);
    // Turning the bar takes the look again and lays it out.
    TsuiProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TsuiProgressBarOrientation value);
    int Max() const { return FTrack->Max(); }
    void SetMax(int value) { FTrack->SetMax(value); }
    int Min() const { return FTrack->Min(); }
    void SetMin(int value) { FTrack->SetMin(value); }
    int Position() const { return FTrack->Position(); }
    void SetPosition(int value);
    // The arrow buttons' step, 1 to 32767; other values are ignored.
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int value);
    // PageSize under another name, set without building the thumb again.
    int LargeChange() const { return FTrack->PageSize(); }
    void SetLargeChange(int value) { FTrack->SetPageSize(value); }
    // The track's paging step (0 to Max); sizes the thumb when LineButton
    // is 0.
    int PageSize() const { return FTrack->PageSize(); }
    void SetPageSize(int value);
    // The track's event; the sender is the track.
    TNotifyEvent& OnChange() { return FTrack->OnChange(); }
    void SetOnChange(const TNotifyEvent& e) { FTrack->SetOnChange(e); }

    // Shows or hides the thumb (only when that changes anything).
    void SetThumbVisible(bool value);

    TsuiImageButton* StartButton() const { return FStartButton; }
    TsuiImageButton* EndButton() const { return FEndButton; }
    TsuiScrollTrackBar* Track() const { return FTrack; }
    // The thumb pieces as the look gave them, turned for a vertical bar.
    const TBitmap& ThumbStartCap() const { return FThumbStart; }
    const TBitmap& ThumbMiddle() const { return FThumbMiddle; }
    const TBitmap& ThumbEndCap() const { return FThumbEnd; }
    const TsuiStyleLink& Style() const { return FStyle; }

protected:
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    // A bar read from a layout is laid out once all its values are there:
    // a vertical bar's stored height must not meet a horizontal layout.
    void Loaded() override;
    void Paint() override;

private:
    // Pixels between the arrows along the bar.
    int Room() const;
    bool Vertical() const { return FOrientation == TsuiProgressBarOrientation::suiVertical; }
    void StyleChanged();
    void ApplyStyle();
    void Layout();
    void BuildThumb();
    void StepBack(TObject* sender);
    void StepForward(TObject* sender);

    TsuiStyleLink FStyle;
    TsuiScrollTrackBar* FTrack = nullptr;
    TsuiImageButton* FStartButton = nullptr;
    TsuiImageButton* FEndButton = nullptr;
    TBitmap FThumbStart;
    TBitmap FThumbMiddle;
    TBitmap FThumbEnd;
    TsuiProgressBarOrientation FOrientation = TsuiProgressBarOrientation::suiHorizontal;
    int FSmallChange = 1;
    int FLineButton = 0;
    bool FLayingOut = false;
};
