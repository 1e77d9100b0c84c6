#pragma once
// TsuiCustomPanel: a panel that shows a picture (at its own size in the
// top-left corner, stretched over the client area, or tiled from the
// top-left corner) with an optional caption, can let its parent's background
// show through, and paints through an off-screen bitmap without erasing
// first. With AutoSize it takes the picture's size (only the sides its
// alignment leaves free). TsuiImagePanel publishes it; the group boxes are
// built on it.

#include "framework/graphics/PersistentPicture.h"
#include "framework/ui/Panel.h"

enum class TsuiDrawStyle : uint8_t { suiNormal, suiStretch, suiTile };
extern const TEnumInfo TsuiDrawStyleInfo;

class TsuiCustomPanel : public TCustomPanel {
    SSI_CLASS(TsuiCustomPanel, TCustomPanel)
public:
    explicit TsuiCustomPanel(TComponent* owner);
    // Declares the panel's own properties unpublished: the descendants
    // publish those they offer.
    static void DeclarePublished(TPropertyBuilder& p);

    // Setting it copies the picture (PictureChanged follows), then repaints.
    TPersistentPicture* Picture() { return &FPicture; }
    void SetPicture(const TPersistentPicture& value);
    // The parent's background shows where nothing else is drawn; the
    // picture leaves out its transparent colour.
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);
    // Takes the picture's size now and whenever the picture changes.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TsuiDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TsuiDrawStyle value);
    // Where the caption was drawn at the last paint (empty before).
    TRect CaptionRect() const { return FCaptionRect; }

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;

    // Gets the canvas's brush ready in Color (the off-screen painting fills
    // with it itself).
    virtual void FillBackground();
    // The caption text changed; `rect` is where it was drawn last.
    virtual void CaptionAreaChanged(const TRect& /*rect*/) {}
    // The owned picture changed.
    virtual void PictureChanged();

    // The panel's look (background, picture, caption) into `canvas`, the
    // size of the client area.
    void PaintPanel(TCanvas& canvas);

private:
    void ApplyAutoSize();
    void MirrorTransparency();

    TPersistentPicture FPicture;
    bool FTransparent = false;
    bool FAutoSize = false;
    TsuiDrawStyle FDrawStyle = TsuiDrawStyle::suiNormal;
    TRect FCaptionRect{};
};

class TsuiImagePanel : public TsuiCustomPanel {
    SSI_CLASS(TsuiImagePanel, TsuiCustomPanel)
public:
    explicit TsuiImagePanel(TComponent* owner);
    static void DeclarePublished(TPropertyBuilder& p);
};
