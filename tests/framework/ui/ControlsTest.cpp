// Controls: alignment, bounds and coordinates, message dispatch and hooks,
// painting into the window.

#include "support/HeadlessApplicationTest.h"

#include "framework/ui/Button.h"
#include "framework/ui/Label.h"
#include "framework/ui/Panel.h"

#include <vector>

namespace {

class TRecordingControl : public TCustomControl {
public:
    explicit TRecordingControl(TComponent* owner) : TCustomControl(owner) {}
    std::vector<uint32_t> Messages;
    TColor Fill = clRed;

protected:
    void WndProc(TMessage& m) override {
        Messages.push_back(m.Msg);
        TCustomControl::WndProc(m);
    }
    void Paint() override {
        Canvas().Brush().SetColor(Fill);
        Canvas().FillRect(ClientRect());
    }
};

TPanel* NewPanel(TWinControl* parent, TAlign align, int w, int h) {
    auto* p = new TPanel(parent);
    p->SetParent(parent);
    p->SetBounds(0, 0, w, h);
    p->SetAlign(align);
    return p;
}

} // namespace

TEST_F(HeadlessApplicationTest, AlignmentFollowsThePlatformOrder) {
    TForm* form = NewForm(0, 0, 300, 200);
    // Created in an order unlike the alignment order: the client one
    // first, left before top.
    TPanel* client = NewPanel(form, TAlign::alClient, 10, 10);
    TPanel* left = NewPanel(form, TAlign::alLeft, 50, 10);
    TPanel* top = NewPanel(form, TAlign::alTop, 10, 30);
    TPanel* bottom = NewPanel(form, TAlign::alBottom, 10, 20);
    TPanel* right = NewPanel(form, TAlign::alRight, 40, 10);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 180, 300, 200));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, 180));
    EXPECT_EQ(right->BoundsRect(), Rect(260, 30, 300, 180));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 30, 260, 180));

    // Two top-aligned controls stack by position, not by creation.
    TPanel* second = NewPanel(form, TAlign::alNone, 10, 15);
    second->SetTop(100);
    second->SetAlign(TAlign::alTop);
    EXPECT_EQ(top->Top(), 0);
    EXPECT_EQ(second->BoundsRect(), Rect(0, 30, 300, 45));
    EXPECT_EQ(client->BoundsRect(), Rect(50, 45, 260, 180));

    // Hiding a control gives its space back; resizing realigns.
    top->SetVisible(false);
    EXPECT_EQ(second->Top(), 0);
    form->SetBounds(0, 0, 400, 200);
    EXPECT_EQ(right->BoundsRect(), Rect(360, 15, 400, 180));
}

TEST_F(HeadlessApplicationTest, BorderWidthAndBevelsShrinkTheAlignedArea) {
    TForm* form = NewForm(0, 0, 300, 200);
    TPanel* outer = NewPanel(form, TAlign::alNone, 100, 80);
    outer->SetBorderWidth(4);                   // outside the client area
    outer->SetBevelInner(TBevelCut::bvLowered); // two bevels of 1 inside it
    TPanel* inner = NewPanel(outer, TAlign::alClient, 1, 1);
    EXPECT_EQ(outer->ClientRect(), Rect(0, 0, 92, 72));
    EXPECT_EQ(inner->BoundsRect(), Rect(2, 2, 90, 70));
    outer->SetLeft(10);
    EXPECT_EQ(inner->ClientToScreen(Point(0, 0)), Point(10 + 4 + 2, 0 + 4 + 2));
    EXPECT_EQ(inner->ScreenToClient(Point(20, 10)), Point(4, 4));
}

TEST_F(HeadlessApplicationTest, FormFrameAndCaptionSurroundTheClientArea) {
    TForm* form = NewForm(50, 60, 200, 150, TFormBorderStyle::bsSingle);
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 194, 150 - 6 - kSystemCaptionHeight));
    EXPECT_EQ(form->ClientToScreen(Point(0, 0)), Point(53, 63 + kSystemCaptionHeight));
    // Taking WS_CAPTION away (as a skinned form does) leaves the 3-pixel frame.
    form->SetWindowStyle(form->WindowStyle() & ~WS_CAPTION);
    form->FrameChanged();
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 194, 144));
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 194, 144)) << "the client size stays";
    EXPECT_EQ(form->Width(), 194);
}

TEST_F(HeadlessApplicationTest, HookedWindowProcSeesMessagesFirstAndChains) {
    TForm* form = NewForm();
    auto* control = new TRecordingControl(form);
    control->SetParent(form);
    std::vector<std::string> order;
    TWndMethod previous = control->WindowProc();
    control->SetWindowProc([&](TMessage& m) {
        if (m.Msg == CM_TEXTCHANGED)
            order.push_back("hook");
        previous(m);
        if (m.Msg == CM_TEXTCHANGED)
            order.push_back("after");
    });
    control->SetCaption("x");
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0], "hook");
    EXPECT_EQ(control->Messages.back(), CM_TEXTCHANGED) << "the own handler ran in between";
    control->SetWindowProc(previous);
    order.clear();
    control->SetCaption("y");
    EXPECT_TRUE(order.empty());
}

TEST_F(HeadlessApplicationTest, ParentColorAndFontFollowTheParent) {
    TForm* form = NewForm();
    TPanel* panel = NewPanel(form, TAlign::alNone, 50, 50);
    auto* label = new TLabel(form);
    label->SetParent(panel);
    EXPECT_TRUE(label->ParentColor());
    panel->SetColor(clYellow);
    EXPECT_EQ(label->Color(), clYellow);
    EXPECT_TRUE(label->ParentColor());
    panel->Font()->SetName("Tahoma");
    EXPECT_EQ(label->Font()->Name(), "Tahoma");
    label->Font()->SetStyle(fsBold);
    EXPECT_FALSE(label->ParentFont());
    panel->Font()->SetName("Arial");
    EXPECT_EQ(label->Font()->Name(), "Tahoma") << "an own font stays";
    label->SetColor(clRed);
    EXPECT_FALSE(label->ParentColor());
}

TEST_F(HeadlessApplicationTest, PaintingComposesChildrenAndPresents) {
    TForm* form = NewForm(10, 10, 100, 80);
    form->SetColor(clBlue);
    auto* control = new TRecordingControl(form);
    control->SetParent(form);
    control->SetBounds(10, 20, 30, 15);
    auto* label = new TLabel(form);
    label->SetParent(control); // a windowless child painted by its parent
    label->SetAutoSize(false);
    label->SetBounds(20, 0, 10, 15);
    label->SetColor(clFuchsia);
    auto* over = new TRecordingControl(form);
    over->Fill = clLime;
    over->SetParent(form);
    over->SetBounds(30, 20, 20, 10);
    form->Show();
    EXPECT_EQ(WindowPixel(form, 5, 5), clBlue);
    EXPECT_EQ(WindowPixel(form, 10, 20), clRed);
    EXPECT_EQ(WindowPixel(form, 29, 34), clRed);
    EXPECT_EQ(WindowPixel(form, 30, 34), clFuchsia) << "the parent paints its windowless child";
    EXPECT_EQ(WindowPixel(form, 40, 20), clLime) << "the later sibling lies on top";
    EXPECT_EQ(WindowPixel(form, 35, 29), clLime);
    EXPECT_EQ(WindowPixel(form, 10, 35), clBlue);

    // A change reaches the screen only through a paint, and only the
    // invalid part is painted again.
    int presents = Backend().PresentCount(form->ScreenWindow());
    control->Messages.clear();
    over->Messages.clear();
    control->Fill = clYellow;
    EXPECT_EQ(WindowPixel(form, 12, 22), clRed);
    control->Invalidate();
    Application().ProcessMessages();
    EXPECT_EQ(WindowPixel(form, 12, 22), clYellow);
    EXPECT_EQ(Backend().PresentCount(form->ScreenWindow()), presents + 1);
    EXPECT_NE(std::find(over->Messages.begin(), over->Messages.end(), WM_PAINT),
              over->Messages.end())
        << "the overlapping sibling is painted again over it";
    EXPECT_EQ(WindowPixel(form, 35, 25), clLime);

    // Repaint shows it at once.
    control->Fill = clWhite;
    control->Repaint();
    EXPECT_EQ(WindowPixel(form, 12, 22), clWhite);
}

TEST_F(HeadlessApplicationTest, EraseBackgroundCanBeSkipped) {
    TForm* form = NewForm(0, 0, 60, 40);
    form->SetColor(clBlue);
    form->Show();
    TWndMethod previous = form->WindowProc();
    int erased = 0;
    form->SetWindowProc([&](TMessage& m) {
        if (m.Msg == WM_ERASEBKGND) {
            ++erased;
            m.Result = 1; // nothing erased
            return;
        }
        previous(m);
    });
    form->SetColor(clRed);
    Application().ProcessMessages();
    EXPECT_EQ(erased, 1);
    EXPECT_EQ(WindowPixel(form, 5, 5), clBlue);
    form->SetWindowProc(previous);
}

TEST_F(HeadlessApplicationTest, SetBoundsSendsSizeAndMoveThroughTheHandler) {
    TForm* form = NewForm();
    TPanel* panel = NewPanel(form, TAlign::alNone, 20, 20);
    std::vector<uint32_t> seen;
    TWndMethod previous = panel->WindowProc();
    panel->SetWindowProc([&](TMessage& m) {
        if (m.Msg == WM_SIZE || m.Msg == WM_MOVE)
            seen.push_back(m.Msg);
        previous(m);
    });
    int resized = 0;
    panel->SetOnResize(TNotifyEvent([&](TObject*) { ++resized; }));
    panel->SetBounds(5, 5, 20, 20);
    panel->SetBounds(5, 5, 30, 20);
    EXPECT_EQ(seen, (std::vector<uint32_t>{WM_MOVE, WM_SIZE}));
    EXPECT_EQ(resized, 1);
    panel->SetWindowProc(previous);
}

TEST_F(HeadlessApplicationTest, WindowRegionCutsTheWindowForPaintAndMouse) {
    TForm* form = NewForm(100, 100, 60, 40);
    int clicks = 0;
    form->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    form->Show();
    // Rounded top corners, as a skinned form cuts its window.
    TRegion region = TRegion::RoundRect(0, 0, 61, 41, 13, 13);
    TRegion bottom = TRegion::FromRect(Rect(0, 20, 60, 40));
    region.Union(bottom);
    form->SetWindowRegion(&region);
    EXPECT_FALSE(Backend().WindowShape(form->ScreenWindow()).WindowContains(60, 40, 0, 0));
    EXPECT_TRUE(Backend().WindowShape(form->ScreenWindow()).WindowContains(60, 40, 0, 39));
    ClickAt(100, 100); // the cut-away corner: nothing there
    EXPECT_EQ(clicks, 0);
    ClickAt(130, 120);
    EXPECT_EQ(clicks, 1);
    // The region survives the window being made again.
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    EXPECT_FALSE(Backend().WindowShape(form->ScreenWindow()).IsEmpty());
    form->SetWindowRegion(nullptr);
    EXPECT_TRUE(Backend().WindowShape(form->ScreenWindow()).IsEmpty());
}

namespace {
// Paints its parent's background under itself first, as see-through skinned
// controls do.
class TSeeThrough : public TGraphicControl {
public:
    explicit TSeeThrough(TComponent* owner) : TGraphicControl(owner) {}
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TCanvas& c = Canvas();
        int level = c.SaveState();
        c.MoveOrigin(-Left(), -Top());
        Parent()->Perform(WM_ERASEBKGND, reinterpret_cast<uintptr_t>(&c));
        Parent()->Perform(WM_PAINT, reinterpret_cast<uintptr_t>(&c));
        c.RestoreState(level);
        c.Brush().SetColor(clRed);
        c.FillRect(Rect(0, 0, 2, 2));
    }
};
} // namespace

TEST_F(HeadlessApplicationTest, ParentBackgroundUnderAWindowlessControl) {
    TForm* form = NewForm(0, 0, 100, 80);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 80);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetColor(clYellow);
    auto* see = new TSeeThrough(form);
    see->SetParent(panel);
    see->SetBounds(10, 10, 20, 20);
    form->Show();
    EXPECT_EQ(see->Paints, 1) << "painted once, not again from inside the parent's paint";
    EXPECT_EQ(WindowPixel(form, 10, 10), clRed);
    EXPECT_EQ(WindowPixel(form, 15, 15), clYellow) << "the parent's background shows";
}
