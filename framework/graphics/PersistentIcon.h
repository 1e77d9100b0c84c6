#pragma once
// An icon that layouts can store: the graphics layer's TIcon as a published
// sub-object whose binary "Data" is the ICO file itself, so every image it
// holds (the 16 x 16 one a title bar draws and the standard 32 x 32 one)
// survives a round trip:
//
//     Icon.Data = {0000010002001010...}
//
// A form's Icon is one; the application's icon is another, and a form
// without an icon of its own shows the application's (ShownIcon).

#include "framework/components/Persistent.h"
#include "framework/graphics/Icon.h"

class TPersistentIcon : public TPersistent, public TIcon {
    SSI_CLASS(TPersistentIcon, TPersistent)
public:
    TPersistentIcon() = default;
    static void DeclarePublished(TPropertyBuilder& p);

    void Assign(const TPersistent& source) override;
    // Copies the other icon's images and file; the owner is notified.
    void Assign(const TIcon& source);
    void Assign(const TPersistentIcon& source) { Assign(static_cast<const TIcon&>(source)); }

    // Replaces the icon by the ICO file `stream` holds from its position to
    // its end (no bytes: the icon is emptied). A damaged file fails with
    // EInvalidGraphic and leaves the icon unchanged.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const { SaveToStream(stream); }

private:
    bool HasData() const { return ImageCount() > 0; }
};

// The icon the platform shows for a window: its own when it has images, else
// the application's.
const TIcon& ShownIcon(const TIcon& own, const TIcon& application);
