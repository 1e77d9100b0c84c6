#pragma once
// A picture holds one graphic or none: a bitmap, an icon, a JPEG image or a
// metafile. Loading from a file chooses the graphic kind by the file's
// extension; copying a picture copies its graphic; the owner learns of every
// change (of the picture or of its graphic) through OnChange.

#include <functional>
#include <memory>
#include <string>

#include "framework/graphics/Graphic.h"

class TBitmap;

class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // None when the picture is empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    bool HasGraphic() const { return FGraphic != nullptr; }
    // Stores a copy of `graphic` (nullptr empties the picture).
    void SetGraphic(const TGraphic* graphic);
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // The picture's bitmap; a picture that holds another kind of graphic (or
    // none) is given an empty bitmap first, as the platform's picture does.
    TBitmap& Bitmap();

    int32_t Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int32_t Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // "bmp", "ico", "wmf", "emf", "jpg" and "jpeg", without regard to case;
    // other extensions fail with "Unknown picture file extension (.%s)". A
    // file that cannot be loaded leaves the picture unchanged.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    // Copies the other picture's graphic (or its emptiness).
    void Assign(const TPicture& other);

    std::function<void(TPicture&)> OnChange;

private:
    void Adopt(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
};

// A new, empty graphic of the kind that the extension (without its dot, any
// case) names; nullptr for an unknown extension.
std::unique_ptr<TGraphic> CreateGraphicForExtension(const std::string& extension);

// Graphic kinds by class name ("TBitmap", "TIcon", "TJPEGImage",
// "TMetafile"), the way stored layouts name a picture's content; nullptr
// for an unknown name.
std::unique_ptr<TGraphic> CreateGraphicForClassName(const std::string& className);
std::string GraphicClassName(const TGraphic& graphic);
