#pragma once
// The skinned track: a slider (an image panel child) that stands along a
// track for a Position between Min and Max. The track moves the slider to
// where a dragged pointer is, pages towards a point while the left button
// holds the track down (a step at once, then one every 100 ms until the
// slider reaches the point), steps by the keys, and fires OnChange once for
// every change of Position, whoever made it.
//
// TsuiTrackBar takes its bar and slider pictures from the look;
// TsuiScrollTrackBar is the track of a skinned scroll bar, which supplies
// its slider's picture itself and draws no bar, no focus mark and no ticks.

#include "controls/SUIImagePanel.h"
#include "controls/SUIProgressBar.h"
#include "framework/graphics/PersistentPicture.h"
#include "framework/ui/CustomControl.h"
#include "skin/SUIStyleLink.h"

class TTimer;

class TsuiTrackBar : public TCustomControl {
    SSI_CLASS(TsuiTrackBar, TCustomControl)
public:
    explicit TsuiTrackBar(TComponent* owner);
    ~TsuiTrackBar() override;

    TsuiFileTheme* FileTheme() const { return FStyle.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* value) { FStyle.SetFileTheme(value); }
    TsuiUIStyle UIStyle() const { return FStyle.UIStyle(); }
    void SetUIStyle(TsuiUIStyle value) { FStyle.SetUIStyle(value); }

    // Min <= Position <= Max always holds: a Max below Min becomes Min, and
    // Position follows whichever end moved past it. Each change of
    // Position moves the slider, repaints and fires OnChange.
    int Max() const { return FMax; }
    void SetMax(int value);
    int Min() const { return FMin; }
    void SetMin(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // The steps of paging and of the arrow keys; values below 0 or above
    // Max are ignored.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int value);
    TsuiProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TsuiProgressBarOrientation value);
    bool ShowTick() const { return FShowTick; }
    void SetShowTick(bool value);
    // Positions between two ticks.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int value);
    // The parent's background shows under the bar picture.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // Drawn across the middle of the track, along its whole length.
    TPersistentPicture* BarImage() { return &FBarImage; }
    void SetBarImage(const TPersistentPicture& value);
    TNotifyEvent& OnChange() { return FOnChange; }
    void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }

    // The slider: its picture is the thumb, and it takes that picture's size.
    TsuiImagePanel* Slider() const { return FSlider; }
    bool Dragging() const { return FDragging; }
    // The paging timer while the left button holds the track, or null.
    TTimer* RepeatTimer() const { return FRepeatTimer; }

    // Where the slider starts along the track for the present Position:
    // (Position - Min) * (L - S) div (Max - Min), L and S the lengths of
    // track and slider (0 when the slider is as long as the track or
    // longer).
    int SliderPlace() const;
    // The position that puts the slider's middle at `along`: Min + (along -
    // S div 2) * (Max - Min) / (L - S), rounded half to even; Min when the
    // slider leaves no room to move.
    int PositionAt(int along) const;

    bool WantsKey(int key) const override;

protected:
    // For descendants that supply their own pictures: the look's pictures
    // are not read at construction (UpdatePictures decides afterwards).
    TsuiTrackBar(TComponent* owner, bool lookPictures);

    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;

    // The bar and slider pictures of the look (the slider's turned for a
    // vertical track), after every change of look and of orientation.
    virtual void UpdatePictures();
    // Whether the slider leaves out its picture's transparent colour.
    virtual bool SliderTransparent() const { return true; }

private:
    bool Vertical() const { return FOrientation == TsuiProgressBarOrientation::suiVertical; }
    int TrackLength() const;
    int SliderLength() const;
    void StyleChanged();
    // Position := value, clamped, then slider, repaint and OnChange.
    void StorePosition(int value);
    void PositionChanged();
    void PlaceSlider();
    // The size across follows the bar picture and the slider.
    void UpdateSize();
    // One step of `amount` towards `along`, stopping where the slider's
    // middle reaches it.
    void PageTowards(int along, int amount);
    void StopRepeatTimer();
    void RepeatTimerTick(TObject* sender);
    void SliderMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void DrawTicks(TCanvas& canvas);

    TsuiStyleLink FStyle;
    TsuiImagePanel* FSlider = nullptr;
    int FMax = 10;
    int FMin = 0;
    int FPosition = 0;
    int FPageSize = 2;
    int FLineSize = 1;
    int FFrequency = 1;
    TsuiProgressBarOrientation FOrientation = TsuiProgressBarOrientation::suiHorizontal;
    bool FShowTick = true;
    bool FTransparent = false;
    TPersistentPicture FBarImage;
    TTimer* FRepeatTimer = nullptr;
    bool FDragging = false;
    bool FSizing = false;
    int FLastChange = 0; // the Position OnChange reported last
    TNotifyEvent FOnChange;
};

class TsuiScrollTrackBar : public TsuiTrackBar {
    SSI_CLASS(TsuiScrollTrackBar, TsuiTrackBar)
public:
    explicit TsuiScrollTrackBar(TComponent* owner);

protected:
    // The scroll bar gives the slider its thumb; there is no bar picture.
    void UpdatePictures() override {}
    bool SliderTransparent() const override { return false; }
};
