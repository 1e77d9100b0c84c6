#pragma once
// A picture that layouts can store: the graphics layer's TPicture as a
// published sub-object whose binary "Data" holds the graphic's kind and its
// bytes, so that a control's
//
//     Picture.Data = {07544269746D6170...}
//
// line recreates the graphic. The data is the graphic's class name as a
// length byte and that many characters ("TBitmap", "TIcon", "TJPEGImage",
// "TMetafile"), then the graphic in its own file format: a bitmap file
// preceded by its length (32 bits, little-endian), an ICO or JPEG file, or a
// metafile's raw bytes. An empty picture stores nothing.
//
// The owner hears of every change through TPicture::OnChange; reading data
// is one change, made only once the whole graphic has been decoded.

#include "framework/components/Persistent.h"
#include "framework/graphics/Picture.h"

class TPersistentPicture : public TPersistent, public TPicture {
    SSI_CLASS(TPersistentPicture, TPersistent)
public:
    TPersistentPicture() = default;
    static void DeclarePublished(TPropertyBuilder& p);

    void Assign(const TPersistent& source) override;
    void Assign(const TPicture& source) { TPicture::Assign(source); }
    void Assign(const TPersistentPicture& source) { TPicture::Assign(source); }

    // Replaces the graphic by the one `stream` holds from its position to its
    // end (no bytes: the picture is emptied). Damaged data fails with
    // EReadError or EInvalidGraphic and leaves the picture unchanged.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

private:
    // A graphic with nothing to save (a new icon or JPEG image) counts as
    // empty too; an empty bitmap still has a size of its own to keep.
    bool HasData() const;
};
