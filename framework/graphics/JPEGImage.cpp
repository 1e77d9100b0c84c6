#include "framework/graphics/JPEGImage.h"

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

#include "framework/base/Streams.h"
#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw EInvalidGraphic("JPEG error: " + what);
}

// libjpeg reports a fatal error by calling error_exit, which must not
// return: it jumps back to the decoder with the library's own message and
// its code.
struct TJpegErrors {
    jpeg_error_mgr Manager{};
    std::jmp_buf Escape;
    char Message[JMSG_LENGTH_MAX] = {};
    int Code = 0;
    int Parameter = 0;
};

void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
    info->err->format_message(info, errors->Message);
    errors->Code = info->err->msg_code;
    errors->Parameter = info->err->msg_parm.i[0];
    std::longjmp(errors->Escape, 1);
}

// Warnings (a corrupt but readable stream: stray bytes between segments,
// a bad Huffman code, a file cut short) are not errors: the picture
// decodes as far as it goes, as other viewers show it.
void Silent(j_common_ptr, int) {}

// What another kind of picture starts with, for a file that is no JPEG.
const char* OtherFormat(const uint8_t* d, size_t size) {
    auto starts = [&](const char* s, size_t n) { return size >= n && std::memcmp(d, s, n) == 0; };
    if (starts("\x89PNG\r\n\x1A\n", 8))
        return "a PNG picture";
    if (starts("GIF8", 4))
        return "a GIF picture";
    if (starts("BM", 2))
        return "a BMP picture";
    if (starts("\0\0\1\0", 4))
        return "an icon";
    if (starts("\0\0\2\0", 4))
        return "a cursor";
    if (starts("\xD7\xCD\xC6\x9A", 4) || starts("\1\0\11\0", 4) || starts("\2\0\11\0", 4))
        return "a WMF picture";
    if (starts("\1\0\0\0", 4) && size >= 44 && std::memcmp(d + 40, " EMF", 4) == 0)
        return "an EMF picture";
    return nullptr;
}

// libjpeg's reason, said plainly where the file is valid but uses what the
// decoder does not support, or is another kind of picture.
std::string Explain(const TJpegErrors& e, const uint8_t* data, size_t size) {
    const std::string text = e.Message;
    auto unsupported = [&](const std::string& what) {
        return what + " is not supported (" + text + ")";
    };
    switch (e.Code) {
    case JERR_SOF_UNSUPPORTED:
        // SOF3, 7, 11 and 15 are lossless; 5 to 7 and 13 to 15 hierarchical.
        if ((e.Parameter & 3) == 3)
            return unsupported("lossless JPEG");
        if ((e.Parameter & 7) >= 5)
            return unsupported("hierarchical JPEG");
        return unsupported(Format("the JPEG process of frame marker 0x%02X", e.Parameter));
    case JERR_BAD_PRECISION:
        return unsupported(Format("%d-bit JPEG", e.Parameter));
    case JERR_ARITH_NOTIMPL:
        return unsupported("arithmetic coding");
    case JERR_CONVERSION_NOTIMPL:
        return unsupported("this colour space");
    case JERR_NOT_COMPILED:
        return unsupported("a feature the decoder is built without");
    case JERR_NO_SOI:
        if (const char* other = OtherFormat(data, size))
            return Format("the file holds %s, not a JPEG (%s)", other, text.c_str());
        return text;
    default:
        return text;
    }
}

// One row of the library's samples as 0x00BBGGRR pixels. Kept out of the
// function that sets the jump point, where the compiler cannot optimise.
[[gnu::noinline]] void ConvertRow(const JSAMPLE* p, uint32_t* target, JDIMENSION width,
                                  int components, bool cmyk, bool inverted) {
    if (!cmyk) {
        for (JDIMENSION x = 0; x < width; ++x, p += components)
            target[x] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        return;
    }
    // Adobe's CMYK files store inverted ink values, which is what every
    // CMYK JPEG in practice is: each channel is then (255 - ink) * (255 - K).
    for (JDIMENSION x = 0; x < width; ++x, p += components) {
        const uint32_t c = inverted ? p[0] : 255u - p[0];
        const uint32_t m = inverted ? p[1] : 255u - p[1];
        const uint32_t ye = inverted ? p[2] : 255u - p[2];
        const uint32_t k = inverted ? p[3] : 255u - p[3];
        const uint32_t r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (ye * k + 127) / 255;
        target[x] = b << 16 | g << 8 | r;
    }
}

// The decoded picture as 0x00BBGGRR pixels, or only its size (`width`,
// `height`) when the frame header gives one outside the limits. Nothing
// with a destructor lives in this frame across the jump: the image and the
// row buffer belong to the caller, and each pixel is written once, as its
// row is appended.
[[gnu::noinline]] void DecodeInto(const uint8_t* data, size_t size, TPixelImage& image,
                                  std::vector<uint32_t>& line, TJpegErrors& errors,
                                  jpeg_decompress_struct& info, uint32_t& width, uint32_t& height) {
    info.err = jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = ErrorExit;
    errors.Manager.emit_message = Silent;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    width = info.image_width;
    height = info.image_height;
    if (width == 0 || height == 0 || width > uint32_t(kMaxBitmapSide) ||
        height > uint32_t(kMaxBitmapSide) || int64_t(width) * height > kMaxDecodedPixels)
        return;
    // Four components are CMYK (or YCCK, which the library turns into
    // CMYK); the other colour spaces come out as RGB.
    const bool cmyk = info.num_components == 4;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const JDIMENSION w = info.output_width;
    image.Pixels.reserve(size_t(w) * info.output_height);
    line.resize(w);
    const int components = info.output_components;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               w * JDIMENSION(components), 1);
    const bool inverted = cmyk && info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, row, 1);
        ConvertRow(row[0], line.data(), w, components, cmyk, inverted);
        image.Pixels.insert(image.Pixels.end(), line.begin(), line.end());
    }
    jpeg_finish_decompress(&info);
    image.Width = int32_t(w);
    image.Height = int32_t(info.output_height);
}

TPixelImage DecodeJpeg(const uint8_t* data, size_t size) {
    TPixelImage image;
    std::vector<uint32_t> line;
    TJpegErrors errors;
    jpeg_decompress_struct info{};
    uint32_t width = 0, height = 0;
    if (setjmp(errors.Escape) != 0) {
        jpeg_destroy_decompress(&info);
        Fail(Explain(errors, data, size));
    }
    try {
        DecodeInto(data, size, image, line, errors, info, width, height);
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    jpeg_destroy_decompress(&info);
    if (width == 0 || height == 0)
        Fail(Format("the frame header gives an empty image of %u x %u pixels", width, height));
    if (image.Width == 0)
        Fail(Format("image size %u x %u is above the limits (%d pixels a side, %lld Mi pixels)",
                    width, height, kMaxBitmapSide,
                    static_cast<long long>(kMaxDecodedPixels >> 20)));
    return image;
}

} // namespace

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) const {
    FBitmap.Draw(canvas, rect);
}

void TJPEGImage::LoadFromStream(TStream& stream) {
    std::vector<uint8_t> data = ReadRemaining(stream);
    LoadFromMemory(data.data(), data.size());
}

void TJPEGImage::LoadFromMemory(const uint8_t* data, size_t size) {
    FBitmap.AdoptImage(DecodeJpeg(data, size));
    FData.assign(data, data + size);
    Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) const {
    if (FData.empty())
        throw EInvalidGraphic("Cannot save an empty JPEG image");
    stream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>();
    copy->FBitmap = FBitmap;
    copy->FData = FData;
    copy->SetTransparent(Transparent());
    return copy;
}
