#pragma once
// TCustomMemo / TMemo: the native multi-line edit. It keeps its text in
// Lines (CR LF between lines), wraps it at the client width with WordWrap,
// shows a caret and a selection while focused, edits from the keyboard and
// the clipboard messages (WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO, one
// level of undo that a second WM_UNDO takes back), and scrolls by
// WM_VSCROLL / WM_HSCROLL, the wheel and its own scroll bars (the native
// ones of NativeScrollBar.h, in its non-client area next to an optional
// sunken edge), reporting them through GetScrollInfo / GetScrollBarInfo as
// the platform does.
//
// The text is in the system's code page, where a character may take several
// bytes. Offsets (SelStart, SelLength, CharAtPos, MaxLength) count bytes, as
// Length(Text) does, but the caret and the selection's ends only ever stand
// at the start of a character: keys and the mouse step a character at a
// time, wrapping breaks between characters, and typed characters, which
// arrive a byte per WM_CHAR, go in whole.

#include "framework/base/StringList.h"
#include "framework/ui/CharacterJoiner.h"
#include "framework/ui/CustomControl.h"
#include "framework/ui/NativeScrollBar.h"
#include "framework/ui/Panel.h"

#include <string>
#include <vector>

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumInfo TScrollStyleInfo;

class TCustomMemo : public TCustomControl {
    SSI_CLASS(TCustomMemo, TCustomControl)
public:
    explicit TCustomMemo(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);

    TStringList* Lines() { return &FLines; }
    void SetLines(const TStringList& value);
    // The text with CR LF between lines.
    std::string Text() { return CurrentText(); }
    void SetText(const std::string& value);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // In bytes; text that does not fit is cut before the character that
    // would not fit whole.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value) { FMaxLength = value < 0 ? 0 : value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool value) { FWantReturns = value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool value) { FWantTabs = value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // Selection, in bytes of Text (CR LF counts two). A value that falls
    // inside a character means that character's start, for either end: a
    // selection holds whole characters only. (Not const: Lines edited
    // directly move the selection into the text they make.)
    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection() { Perform(WM_CLEAR); }
    void CutToClipboard() { Perform(WM_CUT); }
    void CopyToClipboard() { Perform(WM_COPY); }
    void PasteFromClipboard() { Perform(WM_PASTE); }
    void Undo() { Perform(WM_UNDO); }
    bool CanUndo() const { return FHasUndo; }

    // The first visible display line and the horizontal offset in pixels.
    int TopLine() const { return FTopLine; }
    int HorzOffset() const { return FHorzOffset; }
    // Display lines (wrapped) and how many fit the client area.
    int DisplayLineCount();
    int VisibleLineCount();
    int LineHeight();
    // The character at a client point: where a click there puts the caret.
    int CharAtPos(const TPoint& p);
    // The client point of a character's caret position (of the start of the
    // character that holds the byte `index`).
    TPoint PosOfChar(int index);

    TRect ClientRect() const override;
    TPoint ClientOffset() const override;
    bool GetScrollInfo(int bar, TScrollInfo& info) override;
    bool GetScrollBarInfo(int bar, TScrollBarInfo& info) override;
    // SIF_POS scrolls the text: a line (vertical) or a pixel offset
    // (horizontal) beyond the 16 bits of a WM_VSCROLL / WM_HSCROLL request.
    bool SetScrollInfo(int bar, const TScrollInfo& info) override;
    bool WantsKey(int key) const override;
    bool WantsChars() const override { return true; }

    TNotifyEvent& OnChange() { return FOnChange; }
    void SetOnChange(const TNotifyEvent& e) { FOnChange = e; }

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
        int Length = 0; // bytes shown (without the line break)
    };
    // The text, taken again from Lines when they were changed directly.
    const std::string& CurrentText();
    void StoreText(const std::string& text);
    // Clamps the selection and the anchor to the text and to the starts of
    // its characters.
    void KeepSelectionInText();
    void Layout();
    int RowOfChar(int index);
    bool HasBar(int bar) const;
    // The text's position on a bar: its top line or horizontal offset.
    int ScrollPosition(int bar) const { return bar == SB_VERT ? FTopLine : FHorzOffset; }
    void ScrollTo(int topLine, int horzOffset);
    void ScrollCaretIntoView();
    void ReplaceSelection(const std::string& text, bool keepUndo = true);
    void SetCaret(int index, bool extend);
    // Puts in the bytes of a character that was cut off by something else.
    void FlushTyped();
    void HandleScroll(int bar, int code, int position);
    int MaxTopLine();
    int MaxHorzOffset();
    void MeasureCanvas(TCanvas& canvas);

    TStringList FLines;
    std::string FText;
    uint64_t FLinesStamp = 0;  // Lines as the text last left them
    uint64_t FTextVersion = 0; // counts the changes of FText
    TAlignment FAlignment = TAlignment::taLeftJustify;
    TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
    int FMaxLength = 0;
    bool FReadOnly = false;
    TScrollStyle FScrollBars = TScrollStyle::ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    bool FWordWrap = true;
    int FSelStart = 0;
    int FSelLength = 0;
    int FAnchor = 0;
    int FTopLine = 0;
    int FHorzOffset = 0;
    bool FSelecting = false;
    TNativeScrollBars FBars{*this};
    bool FHasUndo = false;
    TCharacterJoiner FTyped; // the bytes of a character still being typed
    std::string FUndoText;
    int FUndoSelStart = 0;
    int FUndoSelLength = 0;
    // Layout cache.
    uint64_t FLayoutVersion = ~uint64_t(0); // the text version laid out
    int FLayoutWidth = -1;
    std::vector<TRow> FRows;
    int FWidest = 0;
    int FLineHeight = 13;
    TNotifyEvent FOnChange;
};

class TMemo : public TCustomMemo {
    SSI_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);
};
