#include "framework/ui/Memo.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/TextDrawing.h"
#include "framework/ui/Forms.h"
#include "framework/ui/Menus.h"
#include "platform/backend/Backend.h"
#include "platform/kernel32/CodePage.h"

#include <algorithm>

const TEnumInfo TScrollStyleInfo("TScrollStyle",
                                 {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});

namespace {
constexpr int kEdge = 2;    // the sunken client edge of bsSingle
constexpr int kMarginX = 1; // text starts this far from the client's left

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

bool IsBreak(const std::string& text, int i) {
    return i >= 0 && i < static_cast<int>(text.size()) && (text[i] == '\r' || text[i] == '\n');
}

// The caret positions one character after and before `index`, which is
// one: a character may take several bytes, and a CR LF is one step.
int NextPosition(const std::string& text, int index) {
    if (text.compare(static_cast<size_t>(index), 2, "\r\n") == 0)
        return index + 2;
    return static_cast<int>(NextCharacter(text, static_cast<size_t>(index)));
}

int PreviousPosition(const std::string& text, int index) {
    if (index >= 2 && text.compare(static_cast<size_t>(index) - 2, 2, "\r\n") == 0)
        return index - 2;
    return static_cast<int>(PreviousCharacter(text, static_cast<size_t>(index)));
}

// The start of the character that holds byte `index` (clamped to the text).
int CharStart(const std::string& text, int index) {
    index = std::clamp(index, 0, static_cast<int>(text.size()));
    return static_cast<int>(CharacterStart(text, static_cast<size_t>(index)));
}
} // namespace

SSI_DEFINE_CLASS(TCustomMemo, TCustomControl)

void TCustomMemo::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("TabStop").Default(1);
    // Published by TMemo; memos built on this class publish them in the
    // slots their own setters need.
    p.Protected()
        .Enum("Alignment", TAlignmentInfo, &TCustomMemo::Alignment, &TCustomMemo::SetAlignment)
        .Default(0)
        .Enum("BorderStyle", TBorderStyleInfo, &TCustomMemo::BorderStyle,
              &TCustomMemo::SetBorderStyle)
        .Default(static_cast<int>(TBorderStyle::bsSingle))
        .Inherited("Color")
        .Default(clWindow)
        .Object("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines)
        .Integer("MaxLength", &TCustomMemo::MaxLength, &TCustomMemo::SetMaxLength)
        .Default(0)
        .Boolean("ReadOnly", &TCustomMemo::ReadOnly, &TCustomMemo::SetReadOnly)
        .Default(0)
        .Enum("ScrollBars", TScrollStyleInfo, &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
        .Default(0)
        .Boolean("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns)
        .Default(1)
        .Boolean("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs)
        .Default(0)
        .Boolean("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
        .Default(1)
        .Event("OnChange", &TCustomMemo::OnChange, &TCustomMemo::SetOnChange);
}

void TMemo::DeclarePublished(TPropertyBuilder& p) {
    p.Inherited("BorderWidth")
        .Inherited("Alignment")
        .Inherited("BorderStyle")
        .Inherited("Color")
        .Inherited("Font")
        .Inherited("Lines")
        .Inherited("MaxLength")
        .Inherited("ParentColor")
        .Inherited("ParentFont")
        .Inherited("ReadOnly")
        .Inherited("ScrollBars")
        .Inherited("WantReturns")
        .Inherited("WantTabs")
        .Inherited("WordWrap")
        .Inherited("PopupMenu")
        .Inherited("OnChange")
        .Inherited("OnClick")
        .Inherited("OnEnter")
        .Inherited("OnExit")
        .Inherited("OnKeyDown")
        .Inherited("OnKeyPress")
        .Inherited("OnKeyUp")
        .Inherited("OnMouseDown")
        .Inherited("OnMouseMove")
        .Inherited("OnMouseUp");
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
    SetTabStop(true);
    SetCursor(crIBeam);
    StoreText("");
}

// --- Text ---

const std::string& TCustomMemo::CurrentText() {
    if (FLines.Stamp() != FLinesStamp) {
        // Lines were edited directly: they are the text now.
        FText = Join(FLines.Items());
        if (FLines.Count() == 0)
            FText.clear();
        FLinesStamp = FLines.Stamp();
        ++FTextVersion;
        KeepSelectionInText();
    }
    return FText;
}

void TCustomMemo::KeepSelectionInText() {
    int end = CharStart(FText, FSelStart + FSelLength);
    FSelStart = CharStart(FText, FSelStart);
    FSelLength = std::max(end - FSelStart, 0);
    FAnchor = CharStart(FText, FAnchor);
}

void TCustomMemo::StoreText(const std::string& text) {
    FText = text;
    FLines.Clear();
    if (!text.empty())
        for (const std::string& line : SplitLines(text))
            FLines.Add(line);
    FLinesStamp = FLines.Stamp();
    ++FTextVersion;
    KeepSelectionInText();
    Invalidate();
}

void TCustomMemo::SetLines(const TStringList& value) {
    FTyped.Reset();
    FLines.Assign(value);
    CurrentText();
    FHasUndo = false;
    Invalidate();
    Change();
}

void TCustomMemo::SetText(const std::string& value) {
    if (CurrentText() == value)
        return;
    FTyped.Reset();
    StoreText(value);
    FHasUndo = false;
    FSelStart = FSelLength = FAnchor = 0;
    FTopLine = std::min(FTopLine, MaxTopLine());
    Change();
}

void TCustomMemo::Change() {
    FOnChange(this);
}

void TCustomMemo::SetAlignment(TAlignment value) {
    if (FAlignment == value)
        return;
    FAlignment = value;
    Invalidate();
}

void TCustomMemo::SetBorderStyle(TBorderStyle value) {
    if (FBorderStyle == value)
        return;
    FBorderStyle = value;
    FLayoutWidth = -1;
    Realign();
    Invalidate();
}

void TCustomMemo::SetScrollBars(TScrollStyle value) {
    if (FScrollBars == value)
        return;
    FScrollBars = value;
    FLayoutWidth = -1;
    ScrollTo(FTopLine, FHorzOffset);
    Realign();
    Invalidate();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (FWordWrap == value)
        return;
    FWordWrap = value;
    FLayoutWidth = -1;
    FHorzOffset = 0;
    Invalidate();
}

// --- Geometry ---

bool TCustomMemo::HasBar(int bar) const {
    if (bar == SB_VERT)
        return FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth;
    return FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
}

TPoint TCustomMemo::ClientOffset() const {
    int inset = BorderWidth() + (FBorderStyle == TBorderStyle::bsSingle ? kEdge : 0);
    return Point(inset, inset);
}

TRect TCustomMemo::ClientRect() const {
    int inset = ClientOffset().X;
    int w = Width() - 2 * inset - (HasBar(SB_VERT) ? kScrollBarSize : 0);
    int h = Height() - 2 * inset - (HasBar(SB_HORZ) ? kScrollBarSize : 0);
    return Rect(0, 0, std::max(w, 0), std::max(h, 0));
}

void TCustomMemo::MeasureCanvas(TCanvas& canvas) {
    canvas.Font().Assign(FontRef());
}

void TCustomMemo::Layout() {
    const std::string& text = CurrentText();
    int width = ClientWidth() - 2 * kMarginX;
    if (FTextVersion == FLayoutVersion && width == FLayoutWidth && !FRows.empty())
        return;
    FLayoutVersion = FTextVersion;
    FLayoutWidth = width;
    FRows.clear();
    FWidest = 0;
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    MeasureCanvas(c);
    FLineHeight = std::max(1, c.TextHeight("Wg"));
    int n = static_cast<int>(text.size());
    int start = 0;
    while (true) {
        int end = start;
        while (end < n && !IsBreak(text, end))
            ++end;
        // [start, end) is one logical line; wrap it into rows.
        int rowStart = start;
        do {
            int rowEnd = end;
            if (FWordWrap && width > 0 &&
                c.TextWidth(text.substr(rowStart, end - rowStart)) > width) {
                // The longest prefix that fits, broken after a blank when
                // there is one; a single long word breaks where it must.
                // Measured a whole character at a time: a row never ends
                // inside one.
                int fit = rowStart;
                int lastBlank = -1;
                while (fit < end) {
                    int next = NextPosition(text, fit);
                    if (c.TextWidth(text.substr(rowStart, next - rowStart)) > width)
                        break;
                    if (text[fit] == ' ')
                        lastBlank = fit;
                    fit = next;
                }
                if (fit < end && text[fit] == ' ')
                    lastBlank = fit;
                if (lastBlank >= rowStart)
                    rowEnd = lastBlank + 1;
                else
                    rowEnd = std::max(fit, NextPosition(text, rowStart));
            }
            int shown = rowEnd - rowStart;
            FRows.push_back({rowStart, shown});
            FWidest = std::max(FWidest, c.TextWidth(text.substr(rowStart, shown)));
            rowStart = rowEnd;
        } while (rowStart < end);
        if (end >= n)
            break;
        start = end + ((text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ? 2 : 1);
        if (start >= n) {
            FRows.push_back({n, 0}); // the empty line after a final break
            break;
        }
    }
}

int TCustomMemo::DisplayLineCount() {
    Layout();
    return static_cast<int>(FRows.size());
}

int TCustomMemo::LineHeight() {
    Layout();
    return FLineHeight;
}

int TCustomMemo::VisibleLineCount() {
    return std::max(1, ClientHeight() / LineHeight());
}

int TCustomMemo::MaxTopLine() {
    return std::max(0, DisplayLineCount() - VisibleLineCount());
}

int TCustomMemo::MaxHorzOffset() {
    if (FWordWrap)
        return 0;
    Layout();
    return std::max(0, FWidest + 2 * kMarginX - ClientWidth());
}

int TCustomMemo::RowOfChar(int index) {
    Layout();
    int row = 0;
    for (int i = 0; i < static_cast<int>(FRows.size()); ++i)
        if (FRows[static_cast<size_t>(i)].Start <= index)
            row = i;
    return row;
}

TPoint TCustomMemo::PosOfChar(int index) {
    Layout();
    index = CharStart(CurrentText(), index);
    int row = RowOfChar(index);
    const TRow& r = FRows[static_cast<size_t>(row)];
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    MeasureCanvas(c);
    int within = std::clamp(index - r.Start, 0, r.Length);
    int x = kMarginX +
            c.TextWidth(
                CurrentText().substr(static_cast<size_t>(r.Start), static_cast<size_t>(within))) -
            FHorzOffset;
    return Point(x, (row - FTopLine) * FLineHeight);
}

int TCustomMemo::CharAtPos(const TPoint& p) {
    Layout();
    int row = std::clamp(FTopLine + (p.Y < 0 ? -1 : p.Y / FLineHeight), 0,
                         static_cast<int>(FRows.size()) - 1);
    const TRow& r = FRows[static_cast<size_t>(row)];
    TBitmap scratch(1, 1);
    TCanvas& c = scratch.Canvas();
    MeasureCanvas(c);
    const std::string& text = CurrentText();
    int x = p.X + FHorzOffset - kMarginX;
    // Before the character whose middle lies right of the point; each is
    // measured whole, within the row's text before it.
    int left = 0;
    for (int i = r.Start; i < r.Start + r.Length;) {
        int next = NextPosition(text, i);
        int right = c.TextWidth(
            text.substr(static_cast<size_t>(r.Start), static_cast<size_t>(next - r.Start)));
        if (x < (left + right) / 2)
            return i;
        left = right;
        i = next;
    }
    // Past the end of a wrapped row: before its trailing blank is enough.
    int end = r.Start + r.Length;
    if (row + 1 < static_cast<int>(FRows.size()) &&
        FRows[static_cast<size_t>(row) + 1].Start == end && end > r.Start &&
        text[static_cast<size_t>(end) - 1] == ' ')
        return end - 1;
    return end;
}

// --- Scrolling ---

void TCustomMemo::ScrollTo(int topLine, int horzOffset) {
    topLine = std::clamp(topLine, 0, MaxTopLine());
    horzOffset = std::clamp(horzOffset, 0, MaxHorzOffset());
    if (topLine == FTopLine && horzOffset == FHorzOffset)
        return;
    FTopLine = topLine;
    FHorzOffset = horzOffset;
    Invalidate();
}

void TCustomMemo::ScrollCaretIntoView() {
    int caret = FSelStart == FAnchor ? FSelStart + FSelLength : FSelStart;
    int row = RowOfChar(caret);
    int top = FTopLine;
    if (row < top)
        top = row;
    else if (row >= top + VisibleLineCount())
        top = row - VisibleLineCount() + 1;
    int h = FHorzOffset;
    if (!FWordWrap) {
        TPoint p = PosOfChar(caret);
        int x = p.X + FHorzOffset;
        if (x - kMarginX < h)
            h = x - kMarginX;
        else if (x >= h + ClientWidth() - kMarginX)
            h = x - ClientWidth() + kMarginX + 1;
    }
    ScrollTo(top, h);
}

void TCustomMemo::HandleScroll(int bar, int code, int position) {
    if (bar == SB_VERT) {
        int page = VisibleLineCount();
        int top = FTopLine;
        switch (code) {
        case SB_LINEUP:
            top -= 1;
            break;
        case SB_LINEDOWN:
            top += 1;
            break;
        case SB_PAGEUP:
            top -= page;
            break;
        case SB_PAGEDOWN:
            top += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            top = FBars.TrackPosition(bar, position);
            break;
        case SB_TOP:
            top = 0;
            break;
        case SB_BOTTOM:
            top = MaxTopLine();
            break;
        default:
            return;
        }
        ScrollTo(top, FHorzOffset);
    } else {
        int page = std::max(1, ClientWidth());
        int line = std::max(1, LineHeight());
        int h = FHorzOffset;
        switch (code) {
        case SB_LINEUP:
            h -= line;
            break;
        case SB_LINEDOWN:
            h += line;
            break;
        case SB_PAGEUP:
            h -= page;
            break;
        case SB_PAGEDOWN:
            h += page;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            h = FBars.TrackPosition(bar, position);
            break;
        case SB_TOP:
            h = 0;
            break;
        case SB_BOTTOM:
            h = MaxHorzOffset();
            break;
        default:
            return;
        }
        ScrollTo(FTopLine, h);
    }
}

bool TCustomMemo::GetScrollInfo(int bar, TScrollInfo& info) {
    if (!HasBar(bar))
        return false;
    TScrollInfo out;
    out.fMask = info.fMask;
    if (bar == SB_VERT) {
        out.nMin = 0;
        out.nMax = std::max(0, DisplayLineCount() - 1);
        out.nPage = static_cast<unsigned>(VisibleLineCount());
    } else {
        Layout();
        out.nMin = 0;
        out.nMax = FWordWrap ? 0 : std::max(0, FWidest + 2 * kMarginX - 1);
        out.nPage = static_cast<unsigned>(std::max(0, ClientWidth()));
    }
    out.nPos = ScrollPosition(bar);
    out.nTrackPos = FBars.TrackPosition(bar, out.nPos);
    info = out;
    return true;
}

bool TCustomMemo::SetScrollInfo(int bar, const TScrollInfo& info) {
    if (!HasBar(bar))
        return false;
    // The range and the page follow the text and the client area; only the
    // position can be set, and it moves the text with it.
    if (info.fMask & SIF_POS) {
        if (bar == SB_VERT)
            ScrollTo(info.nPos, FHorzOffset);
        else
            ScrollTo(FTopLine, info.nPos);
    }
    return true;
}

bool TCustomMemo::GetScrollBarInfo(int bar, TScrollBarInfo& info) {
    return FBars.GetScrollBarInfo(bar, info);
}

// --- Selection and editing ---

int TCustomMemo::SelStart() {
    CurrentText();
    return FSelStart;
}

int TCustomMemo::SelLength() {
    CurrentText();
    return FSelLength;
}

void TCustomMemo::SetSelStart(int value) {
    FSelStart = CharStart(CurrentText(), value);
    FSelLength = 0;
    FAnchor = FSelStart;
    ScrollCaretIntoView();
    Invalidate();
}

void TCustomMemo::SetSelLength(int value) {
    const std::string& text = CurrentText();
    int end = FSelStart + std::clamp(value, 0, static_cast<int>(text.size()) - FSelStart);
    FSelLength = CharStart(text, end) - FSelStart;
    FAnchor = FSelStart;
    Invalidate();
}

std::string TCustomMemo::SelText() {
    return CurrentText().substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TCustomMemo::SetSelText(const std::string& value) {
    ReplaceSelection(value);
}

void TCustomMemo::SelectAll() {
    FSelStart = 0;
    FAnchor = 0;
    FSelLength = static_cast<int>(CurrentText().size());
    Invalidate();
}

void TCustomMemo::ReplaceSelection(const std::string& inserted, bool keepUndo) {
    std::string text = CurrentText();
    std::string piece = inserted;
    if (FMaxLength > 0) {
        // As many whole characters as there are bytes left for.
        int room = FMaxLength - (static_cast<int>(text.size()) - FSelLength);
        if (room < static_cast<int>(piece.size()))
            piece.resize(CharacterStart(piece, static_cast<size_t>(std::max(room, 0))));
    }
    if (piece.empty() && FSelLength == 0)
        return;
    if (keepUndo) {
        FUndoText = text;
        FUndoSelStart = FSelStart;
        FUndoSelLength = FSelLength;
        FHasUndo = true;
    }
    int start = FSelStart;
    text.replace(static_cast<size_t>(start), static_cast<size_t>(FSelLength), piece);
    StoreText(text);
    // Bytes that are no UTF-8 on either side of the piece may have made one
    // character across its end: the caret goes after that character.
    int caret = start + static_cast<int>(piece.size());
    if (CharStart(FText, caret) != caret)
        caret = NextPosition(FText, CharStart(FText, caret));
    FSelStart = caret;
    FSelLength = 0;
    FAnchor = caret;
    FTopLine = std::min(FTopLine, MaxTopLine());
    ScrollCaretIntoView();
    Change();
}

void TCustomMemo::SetCaret(int index, bool extend) {
    const std::string& text = CurrentText();
    int size = static_cast<int>(text.size());
    // Never inside a character, nor between the CR and the LF of a line
    // break.
    index = CharStart(text, index);
    if (index > 0 && index < size && text[static_cast<size_t>(index)] == '\n' &&
        text[static_cast<size_t>(index) - 1] == '\r')
        index += index > (FSelStart == FAnchor ? FSelStart + FSelLength : FSelStart) ? 1 : -1;
    if (!extend)
        FAnchor = index;
    FSelStart = std::min(FAnchor, index);
    FSelLength = std::abs(index - FAnchor);
    ScrollCaretIntoView();
    Invalidate();
}

bool TCustomMemo::WantsKey(int key) const {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    case VK_RETURN:
        return FWantReturns;
    case VK_TAB:
        return FWantTabs;
    default:
        return false;
    }
}

void TCustomMemo::KeyDown(uint16_t& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0)
        return;
    FlushTyped();
    bool extend = (shift & ssShift) != 0;
    int caret = FSelStart == FAnchor ? FSelStart + FSelLength : FSelStart;
    const std::string& text = CurrentText();
    switch (key) {
    case VK_LEFT:
        SetCaret(PreviousPosition(text, caret), extend);
        break;
    case VK_RIGHT:
        SetCaret(NextPosition(text, caret), extend);
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        TPoint p = PosOfChar(caret);
        int rows = key == VK_UP || key == VK_DOWN ? 1 : VisibleLineCount();
        int dy = (key == VK_UP || key == VK_PRIOR ? -rows : rows) * LineHeight();
        if (key == VK_PRIOR || key == VK_NEXT)
            HandleScroll(SB_VERT, key == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
        int row = RowOfChar(caret) + dy / LineHeight();
        if (row < 0)
            SetCaret(0, extend);
        else if (row >= DisplayLineCount())
            SetCaret(static_cast<int>(text.size()), extend);
        else {
            int y = (row - FTopLine) * LineHeight();
            SetCaret(CharAtPos(Point(p.X, y)), extend);
        }
        break;
    }
    case VK_HOME: {
        if (shift & ssCtrl) {
            SetCaret(0, extend);
        } else {
            Layout();
            SetCaret(FRows[static_cast<size_t>(RowOfChar(caret))].Start, extend);
        }
        break;
    }
    case VK_END: {
        if (shift & ssCtrl) {
            SetCaret(static_cast<int>(text.size()), extend);
        } else {
            Layout();
            const TRow& r = FRows[static_cast<size_t>(RowOfChar(caret))];
            SetCaret(r.Start + r.Length, extend);
        }
        break;
    }
    case VK_DELETE:
        if (FReadOnly)
            break;
        if (shift & ssShift) {
            Perform(WM_CUT);
        } else {
            if (FSelLength == 0) {
                int size = static_cast<int>(text.size());
                if (FSelStart >= size)
                    break;
                FSelLength = NextPosition(text, FSelStart) - FSelStart;
            }
            Perform(WM_CLEAR);
        }
        break;
    case VK_INSERT:
        if (shift & ssCtrl)
            Perform(WM_COPY);
        else if (shift & ssShift)
            Perform(WM_PASTE);
        break;
    default:
        return;
    }
    key = 0;
}

void TCustomMemo::KeyPress(char& key) {
    TCustomControl::KeyPress(key);
    unsigned char c = static_cast<unsigned char>(key);
    if (c == 0)
        return;
    if (c >= 32) {
        // One byte of a typed character: the character goes in once its
        // last byte has come.
        if (FReadOnly) {
            FTyped.Reset();
        } else {
            std::string typed = FTyped.Add(key);
            if (!typed.empty())
                ReplaceSelection(typed);
        }
        key = 0;
        return;
    }
    FlushTyped();
    switch (c) {
    case 1: // Ctrl+A
        SelectAll();
        break;
    case 3: // Ctrl+C
        Perform(WM_COPY);
        break;
    case 22: // Ctrl+V
        Perform(WM_PASTE);
        break;
    case 24: // Ctrl+X
        Perform(WM_CUT);
        break;
    case 26: // Ctrl+Z
        Perform(WM_UNDO);
        break;
    case 8: // Backspace
        if (FReadOnly)
            break;
        if (FSelLength == 0) {
            if (FSelStart == 0)
                break;
            int back = PreviousPosition(CurrentText(), FSelStart);
            FSelLength = FSelStart - back;
            FSelStart = back;
        }
        ReplaceSelection("");
        break;
    case 13:
        if (!FReadOnly && FWantReturns)
            ReplaceSelection("\r\n");
        break;
    case 9:
        if (!FReadOnly && FWantTabs)
            ReplaceSelection("\t");
        break;
    default:
        break;
    }
    key = 0;
}

void TCustomMemo::FlushTyped() {
    if (!FTyped.Pending())
        return;
    std::string typed = FTyped.Flush();
    if (!FReadOnly)
        ReplaceSelection(typed);
}

void TCustomMemo::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KILLFOCUS:
        // Whatever comes between the bytes of a typed character ends it.
        FlushTyped();
        break;
    default:
        break;
    }
    switch (m.Msg) {
    case WM_CUT:
        if (FSelLength > 0 && !FReadOnly) {
            WindowSystem().SetClipboardText(SelText());
            ReplaceSelection("");
        }
        return;
    case WM_COPY:
        if (FSelLength > 0)
            WindowSystem().SetClipboardText(SelText());
        return;
    case WM_PASTE:
        if (!FReadOnly)
            ReplaceSelection(WindowSystem().ClipboardText());
        return;
    case WM_CLEAR:
        if (!FReadOnly && FSelLength > 0)
            ReplaceSelection("");
        return;
    case WM_UNDO:
        if (FHasUndo && !FReadOnly) {
            // The platform's one-level undo: undoing again redoes.
            std::string text = CurrentText();
            int start = FSelStart, length = FSelLength;
            StoreText(FUndoText);
            FSelStart = FUndoSelStart;
            FSelLength = FUndoSelLength;
            FAnchor = FSelStart;
            FUndoText = text;
            FUndoSelStart = start;
            FUndoSelLength = length;
            FTopLine = std::min(FTopLine, MaxTopLine());
            ScrollCaretIntoView();
            Change();
            m.Result = 1;
        }
        return;
    case WM_SETTEXT:
        SetText(m.LParam != 0 ? std::string(reinterpret_cast<const char*>(m.LParam)) : "");
        m.Result = 1;
        return;
    case WM_VSCROLL:
        HandleScroll(SB_VERT, LoWord(m.WParam), HiWord(m.WParam));
        return;
    case WM_HSCROLL:
        HandleScroll(SB_HORZ, LoWord(m.WParam), HiWord(m.WParam));
        return;
    case WM_MOUSEWHEEL: {
        int delta = static_cast<int16_t>(HiWord(m.WParam));
        int lines = -delta * 3 / WHEEL_DELTA;
        if (lines != 0)
            ScrollTo(FTopLine + lines, FHorzOffset);
        m.Result = 1;
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TPoint p = Point(LoSmallInt(m.LParam), HiSmallInt(m.LParam));
        TPoint off = ClientOffset();
        if (!PtInRect(ClientRect(), p) && FBars.MouseDown(Point(p.X + off.X, p.Y + off.Y)))
            return;
        if (CanFocus() && !Focused())
            SetFocus();
        FSelecting = true;
        SetCaret(CharAtPos(p), (ShiftStateFromMk(m.WParam) & ssShift) != 0);
        break;
    }
    case WM_MOUSEMOVE: {
        TPoint off = ClientOffset();
        if (FBars.MouseMove(Point(LoSmallInt(m.LParam) + off.X, HiSmallInt(m.LParam) + off.Y)))
            break;
        if (FSelecting && (m.WParam & MK_LBUTTON)) {
            TPoint p = Point(LoSmallInt(m.LParam), HiSmallInt(m.LParam));
            SetCaret(CharAtPos(p), true);
        }
        break;
    }
    case WM_LBUTTONUP:
        FSelecting = false;
        if (FBars.DraggedBar() >= 0)
            FBars.EndDrag(ScrollPosition(FBars.DraggedBar()));
        break;
    case CM_FONTCHANGED:
        FLayoutWidth = -1;
        break;
    case WM_SIZE:
        FLayoutWidth = -1;
        TCustomControl::WndProc(m);
        ScrollTo(FTopLine, FHorzOffset);
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

// --- Painting ---

void TCustomMemo::Paint() {
    TCanvas& c = Canvas();
    Layout();
    TRect client = ClientRect();
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(client);
    c.Font().Assign(FontRef());
    if (!IsEnabledInParents())
        c.Font().SetColor(clGrayText);
    const std::string& text = CurrentText();
    bool showSelection = Focused() && FSelLength > 0;
    int selEnd = FSelStart + FSelLength;
    for (int row = FTopLine; row < static_cast<int>(FRows.size()); ++row) {
        int y = (row - FTopLine) * FLineHeight;
        if (y >= client.Bottom)
            break;
        const TRow& r = FRows[static_cast<size_t>(row)];
        std::string line = text.substr(static_cast<size_t>(r.Start), static_cast<size_t>(r.Length));
        int width = c.TextWidth(line);
        int x = kMarginX - FHorzOffset;
        if (FAlignment == TAlignment::taRightJustify)
            x = client.Right - kMarginX - width;
        else if (FAlignment == TAlignment::taCenter)
            x = (client.Right - width) / 2;
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.TextOut(x, y, line);
        if (showSelection && FSelStart < r.Start + r.Length && selEnd > r.Start) {
            int a = std::max(FSelStart, r.Start) - r.Start;
            int b = std::min(selEnd, r.Start + r.Length) - r.Start;
            int left = x + c.TextWidth(line.substr(0, static_cast<size_t>(a)));
            int right = x + c.TextWidth(line.substr(0, static_cast<size_t>(b)));
            c.Brush().SetStyle(TBrushStyle::bsSolid);
            c.Brush().SetColor(clHighlight);
            TRect sel = Rect(left, y, right, y + FLineHeight);
            c.FillRect(sel);
            TColor keep = c.Font().Color();
            c.Font().SetColor(clHighlightText);
            c.TextRect(sel, left, y,
                       line.substr(static_cast<size_t>(a), static_cast<size_t>(b - a)));
            c.Font().SetColor(keep);
        }
    }
    if (Focused()) {
        int caret = FSelStart == FAnchor ? FSelStart + FSelLength : FSelStart;
        TPoint p = PosOfChar(caret);
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(clWindowText);
        c.FillRect(Rect(p.X, p.Y, p.X + 1, p.Y + FLineHeight));
    }
}

void TCustomMemo::PaintNonClient(TCanvas& canvas) {
    TCustomControl::PaintNonClient(canvas);
    int bw = BorderWidth();
    TRect r = Rect(bw, bw, Width() - bw, Height() - bw);
    if (FBorderStyle == TBorderStyle::bsSingle) {
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
        Frame3D(canvas, r, cl3DDkShadow, cl3DLight, 1);
    }
    FBars.Paint(canvas);
}

SSI_DEFINE_CLASS(TMemo, TCustomMemo)

TMemo::TMemo(TComponent* owner) : TCustomMemo(owner) {}
