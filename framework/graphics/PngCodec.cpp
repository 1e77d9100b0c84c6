#include "framework/graphics/PngCodec.h"

#include <png.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "framework/base/SysUtils.h"

namespace {

// libpng's simplified interface reports through the image structure and
// never jumps across our frames; the structure is released on every path.
struct TImageGuard {
    png_image Image{};
    TImageGuard() {
        Image.version = PNG_IMAGE_VERSION;
    }
    ~TImageGuard() { png_image_free(&Image); }
};

std::string Reason(const png_image& image) {
    return image.message[0] != '\0' ? image.message : "not a PNG picture";
}

// Walks the chunks after the signature: one whose length runs past the end
// of the data is damage, refused before libpng allocates that length for it
// (a few hundred bytes could otherwise ask for two gigabytes).
void CheckChunkLengths(const uint8_t* data, size_t size) {
    constexpr size_t kSignature = 8, kChunkFrame = 12; // length, type, CRC
    for (size_t at = kSignature; size - at >= kChunkFrame && at < size;) {
        const uint32_t length = uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 |
                                uint32_t(data[at + 2]) << 8 | data[at + 3];
        std::string type(reinterpret_cast<const char*>(data + at + 4), 4);
        for (char& c : type)
            if (!std::isalpha(static_cast<unsigned char>(c)))
                c = '?';
        if (length > size - at - kChunkFrame)
            throw std::runtime_error(Format("chunk %s at offset %zu of %u bytes runs past the end "
                                            "of the picture (%zu bytes)",
                                            type.c_str(), at, length, size));
        if (type == "IEND")
            return;
        at += kChunkFrame + length;
    }
}

} // namespace

TPngImage DecodePng(const uint8_t* data, size_t size, int32_t maxSide) {
    if (size > 8)
        CheckChunkLengths(data, size);
    TImageGuard guard;
    png_image& image = guard.Image;
    if (!png_image_begin_read_from_memory(&image, data, size))
        throw std::runtime_error(Reason(image));
    if (image.width == 0 || image.height == 0 || image.width > uint32_t(maxSide) ||
        image.height > uint32_t(maxSide))
        throw std::runtime_error(Format("picture of %u x %u pixels is out of range", image.width,
                                        image.height));
    image.format = PNG_FORMAT_RGBA;
    TPngImage result;
    result.Width = int32_t(image.width);
    result.Height = int32_t(image.height);
    result.Rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, result.Rgba.data(), 0, nullptr))
        throw std::runtime_error(Reason(image));
    return result;
}

std::vector<uint8_t> EncodePng(const TPngImage& source, bool opaque) {
    if (source.Width <= 0 || source.Height <= 0 ||
        source.Rgba.size() != size_t(source.Width) * size_t(source.Height) * 4)
        throw std::runtime_error(
            Format("cannot write a picture of %d x %d pixels", source.Width, source.Height));
    const uint8_t* pixels = source.Rgba.data();
    std::vector<uint8_t> rgb;
    if (opaque) {
        rgb.resize(size_t(source.Width) * size_t(source.Height) * 3);
        for (size_t i = 0, j = 0; j < rgb.size(); i += 4, j += 3)
            std::memcpy(&rgb[j], &source.Rgba[i], 3);
        pixels = rgb.data();
    }
    TImageGuard guard;
    png_image& image = guard.Image;
    image.width = uint32_t(source.Width);
    image.height = uint32_t(source.Height);
    image.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
    png_alloc_size_t bytes = 0;
    if (!png_image_write_to_memory(&image, nullptr, &bytes, 0, pixels, 0, nullptr))
        throw std::runtime_error(Reason(image));
    std::vector<uint8_t> file(bytes);
    if (!png_image_write_to_memory(&image, file.data(), &bytes, 0, pixels, 0, nullptr))
        throw std::runtime_error(Reason(image));
    file.resize(bytes);
    return file;
}

void SavePngFile(const std::string& path, const TPngImage& image, bool opaque) {
    const std::vector<uint8_t> file = EncodePng(image, opaque);
    std::unique_ptr<FILE, int (*)(FILE*)> out(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!out)
        throw std::runtime_error(Format("Cannot create file %s: %s", path.c_str(),
                                        std::strerror(errno)));
    if (std::fwrite(file.data(), 1, file.size(), out.get()) != file.size() ||
        std::fclose(out.release()) != 0)
        throw std::runtime_error(Format("Cannot write %s: %s", path.c_str(), std::strerror(errno)));
}
