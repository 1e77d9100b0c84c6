#pragma once
// TCustomMemo / TMemo: the native multi-line edit. It keeps its text in
// Lines (CR LF between lines), wraps it at the client width with WordWrap,
// shows a caret and a selection while focused, edits from the keyboard and
// the clipboard messages (WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO, one
// level of undo that a second WM_UNDO takes back), and scrolls by
// WM_VSCROLL / WM_HSCROLL, the wheel and its own scroll bars, which it
// paints in its non-client area next to an optional sunken edge, and
// reports through GetScrollInfo / GetScrollBarInfo as the platform does.

#include "framework/ui/CustomControl.h"
#include "framework/ui/Panel.h"
#include "framework/base/StringList.h"

#include <string>
#include <vector>

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumInfo TScrollStyleInfo;

// Width of a vertical (height of a horizontal) scroll bar and of its arrows.
constexpr int kScrollBarSize = 17;
// Smallest thumb the platform draws.
constexpr int kMinThumb = 8;

class TCustomMemo : public TCustomControl {
    SSI_CLASS(TCustomMemo, TCustomControl)
public:
    explicit TCustomMemo(TComponent* owner);
    // Published: Alignment, BorderStyle, Color, Font, Lines, MaxLength,
    // ParentColor, ParentFont, ReadOnly, ScrollBars, TabOrder, TabStop,
    // WantReturns, WantTabs, WordWrap, OnChange, OnEnter, OnExit,
    // OnKeyDown, OnKeyPress, OnKeyUp, OnClick, OnMouseDown, OnMouseMove,
    // OnMouseUp.
    static void DeclarePublished(TPropertyBuilder& p);

    TStringList* Lines() { return &lines_; }
    void SetLines(const TStringList& value);
    // The text with CR LF between lines.
    std::string Text() { return CurrentText(); }
    void SetText(const std::string& value);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    // Selection, in characters of Text (CR LF counts two).
    int SelStart() const { return selStart_; }
    void SetSelStart(int value);
    int SelLength() const { return selLength_; }
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection() { Perform(WM_CLEAR); }
    void CutToClipboard() { Perform(WM_CUT); }
    void CopyToClipboard() { Perform(WM_COPY); }
    void PasteFromClipboard() { Perform(WM_PASTE); }
    void Undo() { Perform(WM_UNDO); }
    bool CanUndo() const { return hasUndo_; }

    // The first visible display line and the horizontal offset in pixels.
    int TopLine() const { return topLine_; }
    int HorzOffset() const { return horzOffset_; }
    // Display lines (wrapped) and how many fit the client area.
    int DisplayLineCount();
    int VisibleLineCount();
    int LineHeight();
    // The character at a client point.
    int CharAtPos(const TPoint& p);
    // The client point of a character's caret position.
    TPoint PosOfChar(int index);

    TRect ClientRect() const override;
    TPoint ClientOffset() const override;
    bool GetScrollInfo(int bar, TScrollInfo& info) override;
    bool GetScrollBarInfo(int bar, TScrollBarInfo& info) override;
    bool WantsKey(int key) const override;
    bool WantsChars() const override { return true; }

    TNotifyEvent& OnChange() { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void PaintNonClient(TCanvas& canvas) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    virtual void Change();

private:
    struct TRow {
        int Start = 0;  // index into the text
        int Length = 0; // characters shown (without the line break)
    };
    // The text, taken again from Lines when they were changed directly.
    const std::string& CurrentText();
    void StoreText(const std::string& text);
    void Layout();
    int RowOfChar(int index);
    bool HasBar(int bar) const;
    TRect BarRect(int bar) const; // control coordinates
    void ScrollTo(int topLine, int horzOffset);
    void ScrollCaretIntoView();
    void ReplaceSelection(const std::string& text, bool keepUndo = true);
    void SetCaret(int index, bool extend);
    void HandleScroll(int bar, int code, int position);
    int MaxTopLine();
    int MaxHorzOffset();
    bool BarMouseDown(const TPoint& controlPoint);
    // Dragging a scroll bar's thumb: the position for the pointer at
    // `controlPoint`.
    int ThumbDragPosition(const TPoint& controlPoint);
    void MeasureCanvas(TCanvas& canvas);

    TStringList lines_;
    std::string text_;
    std::vector<std::string> linesSeen_; // Lines as the text last left them
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    int maxLength_ = 0;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool wordWrap_ = true;
    int selStart_ = 0;
    int selLength_ = 0;
    int anchor_ = 0;
    int topLine_ = 0;
    int horzOffset_ = 0;
    bool selecting_ = false;
    int dragBar_ = -1; // the bar whose thumb is being dragged
    int dragGrab_ = 0; // where on the thumb it was taken
    bool hasUndo_ = false;
    std::string undoText_;
    int undoSelStart_ = 0;
    int undoSelLength_ = 0;
    // Layout cache.
    std::string layoutText_;
    int layoutWidth_ = -1;
    std::vector<TRow> rows_;
    int widest_ = 0;
    int lineHeight_ = 13;
    TNotifyEvent onChange_;
};

class TMemo : public TCustomMemo {
    SSI_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* owner);
};
