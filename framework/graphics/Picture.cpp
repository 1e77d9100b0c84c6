#include "framework/graphics/Picture.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/metafile/Metafile.h"

std::unique_ptr<TGraphic> CreateGraphicForExtension(const std::string& extension) {
    const std::string ext = LowerCase(extension);
    if (ext == "bmp")
        return std::make_unique<TBitmap>();
    if (ext == "ico")
        return std::make_unique<TIcon>();
    if (ext == "jpg" || ext == "jpeg")
        return std::make_unique<TJPEGImage>();
    if (ext == "wmf" || ext == "emf")
        return std::make_unique<TMetafile>();
    return nullptr;
}

std::unique_ptr<TGraphic> CreateGraphicForClassName(const std::string& className) {
    if (className == "TBitmap")
        return std::make_unique<TBitmap>();
    if (className == "TIcon")
        return std::make_unique<TIcon>();
    if (className == "TJPEGImage")
        return std::make_unique<TJPEGImage>();
    if (className == "TMetafile")
        return std::make_unique<TMetafile>();
    return nullptr;
}

std::string GraphicClassName(const TGraphic& graphic) {
    if (dynamic_cast<const TBitmap*>(&graphic))
        return "TBitmap";
    if (dynamic_cast<const TIcon*>(&graphic))
        return "TIcon";
    if (dynamic_cast<const TJPEGImage*>(&graphic))
        return "TJPEGImage";
    return "TMetafile";
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic)
        FGraphic->OnChange = [this](TGraphic&) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    Adopt(graphic ? graphic->Clone() : nullptr);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    Adopt(std::move(graphic));
}

TBitmap& TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get()))
        return *bitmap;
    Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap&>(*FGraphic);
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string ext = ExtractFileExt(fileName);
    if (!ext.empty())
        ext.erase(0, 1);
    std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension(ext);
    if (!graphic)
        throw EInvalidGraphic(Format("Unknown picture file extension (.%s)", ext.c_str()));
    graphic->LoadFromFile(fileName);
    Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) const {
    if (FGraphic)
        FGraphic->SaveToFile(fileName);
}

void TPicture::Assign(const TPicture& other) {
    if (&other == this)
        return;
    SetGraphic(other.FGraphic.get());
}

void TPicture::Changed() {
    if (OnChange)
        OnChange(*this);
}
