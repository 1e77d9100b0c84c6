#include "framework/graphics/TextDrawing.h"

#include <algorithm>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "platform/kernel32/CodePage.h"

namespace {

struct TLine {
    std::string Text;
    int Underline = -1;
};

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

// Breaks a line at blanks so that each piece fits `width` (prefixes already
// stripped; `underline` is carried into the piece that holds it).
void WrapLine(TCanvas& canvas, const TLine& line, int32_t width, std::vector<TLine>& out) {
    const std::string& s = line.Text;
    size_t start = 0;
    while (true) {
        if (canvas.TextWidth(s.substr(start)) <= width)
            break;
        // Longest prefix ending before a blank that fits.
        size_t breakAt = std::string::npos;
        for (size_t i = start; i < s.size(); ++i) {
            if (s[i] != ' ')
                continue;
            if (canvas.TextWidth(s.substr(start, i - start)) <= width)
                breakAt = i;
            else
                break;
        }
        if (breakAt == std::string::npos) {
            // The first word alone is too wide: it stays whole on its line.
            size_t blank = s.find(' ', start);
            if (blank == std::string::npos)
                break;
            breakAt = blank;
        }
        TLine piece{s.substr(start, breakAt - start), -1};
        if (line.Underline >= int(start) && line.Underline < int(breakAt))
            piece.Underline = line.Underline - int(start);
        out.push_back(piece);
        start = breakAt;
        while (start < s.size() && s[start] == ' ')
            ++start;
        if (start >= s.size())
            return;
    }
    TLine rest{s.substr(start), -1};
    if (line.Underline >= int(start))
        rest.Underline = line.Underline - int(start);
    out.push_back(rest);
}

} // namespace

std::string StripPrefixes(const std::string& text, int& underlineIndex) {
    std::string out;
    underlineIndex = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break; // a trailing "&" shows nothing
        if (text[i + 1] != '&')
            underlineIndex = int(out.size());
        // The whole character after the "&", however many bytes it takes.
        const size_t next = NextCharacter(text, i + 1);
        out.append(text, i + 1, next - (i + 1));
        i = next - 1;
    }
    return out;
}

std::string EndEllipsis(TCanvas& canvas, const std::string& text, int32_t width) {
    if (canvas.TextWidth(text) <= width)
        return text;
    std::string rest = text;
    while (!rest.empty()) {
        rest.resize(PreviousCharacter(rest, rest.size())); // one character, never a byte
        if (canvas.TextWidth(rest + "...") <= width)
            break;
    }
    return rest + "...";
}

int32_t DrawText(TCanvas& canvas, const std::string& text, TRect& rect, uint32_t format) {
    const bool single = format & DT_SINGLELINE;
    std::vector<TLine> lines;
    for (const std::string& raw : single ? std::vector<std::string>{text} : SplitLines(text)) {
        TLine line;
        line.Text = (format & DT_NOPREFIX) ? raw : StripPrefixes(raw, line.Underline);
        if ((format & DT_WORDBREAK) && !single)
            WrapLine(canvas, line, rect.Width(), lines);
        else
            lines.push_back(line);
    }
    if (format & DT_END_ELLIPSIS)
        for (TLine& line : lines) {
            std::string shortened = EndEllipsis(canvas, line.Text, rect.Width());
            if (shortened != line.Text && line.Underline >= int(shortened.size()) - 3)
                line.Underline = -1;
            line.Text = shortened;
        }

    const int32_t lineHeight = canvas.TextHeight("W");
    const int32_t total = lineHeight * int32_t(lines.size());
    int32_t y = rect.Top;
    if (single && (format & DT_VCENTER))
        y = rect.Top + (rect.Height() - lineHeight) / 2;
    else if (single && (format & DT_BOTTOM))
        y = rect.Bottom - lineHeight;

    if (format & DT_CALCRECT) {
        int32_t widest = 0;
        for (const TLine& line : lines)
            widest = std::max(widest, canvas.TextWidth(line.Text));
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + total;
        return total;
    }

    const TRect clip = rect;
    const bool opaque = canvas.Brush().Style() != TBrushStyle::bsClear;
    for (const TLine& line : lines) {
        const int32_t w = canvas.TextWidth(line.Text);
        int32_t x = rect.Left;
        if (format & DT_CENTER)
            x = rect.Left + (rect.Width() - w) / 2;
        else if (format & DT_RIGHT)
            x = rect.Right - w;
        const TRect* lineClip = (format & DT_NOCLIP) ? nullptr : &clip;
        if (opaque) {
            TRect box = Bounds(x, y, w, lineHeight), r = box;
            if (!lineClip || IntersectRect(r, box, clip))
                canvas.FillRect(r);
        }
        canvas.TextRun(x, y, line.Text, lineClip, line.Underline);
        y += lineHeight;
    }
    if (single && (format & (DT_VCENTER | DT_BOTTOM)))
        return y - rect.Top;
    return total;
}
