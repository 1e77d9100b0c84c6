#include "framework/graphics/JPEGImage.h"

#include <climits>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "framework/graphics/BmpCodec.h"
#include "framework/graphics/Canvas.h"
#include "framework/base/Streams.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw EInvalidGraphic("JPEG error: " + what);
}

// Walks the marker segments up to the frame header and returns its size.
void ReadFrameSize(const uint8_t* d, size_t size, uint32_t& width, uint32_t& height) {
    if (size < 4 || d[0] != 0xFF || d[1] != 0xD8)
        Fail("no start-of-image marker at offset 0");
    size_t pos = 2;
    while (pos + 4 <= size) {
        if (d[pos] != 0xFF)
            Fail(Format("no marker at offset %zu", pos));
        const uint8_t marker = d[pos + 1];
        if (marker == 0xFF) {
            ++pos;
            continue;
        } // fill byte
        const size_t length = size_t(d[pos + 2] << 8 | d[pos + 3]);
        if (length < 2 || pos + 2 + length > size)
            Fail(Format("segment at offset %zu is truncated", pos));
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7)
                Fail(Format("frame header at offset %zu is truncated", pos));
            height = uint32_t(d[pos + 5] << 8 | d[pos + 6]);
            width = uint32_t(d[pos + 7] << 8 | d[pos + 8]);
            return;
        }
        pos += 2 + length;
    }
    Fail("no frame header");
}

// libjpeg reports a fatal error by calling error_exit, which must not
// return: it jumps back to the decoder with the library's own message.
struct TJpegErrors {
    jpeg_error_mgr Manager{};
    std::jmp_buf Escape;
    char Message[JMSG_LENGTH_MAX] = {};
};

void ErrorExit(j_common_ptr info) {
    auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
    info->err->format_message(info, errors->Message);
    std::longjmp(errors->Escape, 1);
}

// Warnings (a corrupt but readable stream) are not errors: the picture
// decodes as far as it goes, as other viewers show it.
void Silent(j_common_ptr, int) {}

// The decoded picture as 0x00BBGGRR pixels. Nothing with a destructor lives
// in this frame across the jump; the bitmap is filled row by row from the
// library's buffer and only returned once the decoder has finished.
void DecodeInto(const uint8_t* data, size_t size, TBitmap& bitmap, TJpegErrors& errors,
                jpeg_decompress_struct& info) {
    info.err = jpeg_std_error(&errors.Manager);
    errors.Manager.error_exit = ErrorExit;
    errors.Manager.emit_message = Silent;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // Four components are CMYK (or YCCK, which the library turns into
    // CMYK); the other colour spaces come out as RGB.
    const bool cmyk = info.num_components == 4;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    bitmap.SetSize(int32_t(info.output_width), int32_t(info.output_height));
    const int components = info.output_components;
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * JDIMENSION(components), 1);
    // Adobe's CMYK files store inverted ink values, which is what every
    // CMYK JPEG in practice is: each channel is then (255 - ink) * (255 - K).
    const bool inverted = cmyk && info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        const int32_t y = int32_t(info.output_scanline);
        jpeg_read_scanlines(&info, row, 1);
        uint32_t* target = bitmap.ScanLine(y);
        const JSAMPLE* p = row[0];
        for (JDIMENSION x = 0; x < info.output_width; ++x, p += components) {
            uint32_t r, g, b;
            if (!cmyk) {
                r = p[0], g = p[1], b = p[2];
            } else {
                const uint32_t c = inverted ? p[0] : 255u - p[0];
                const uint32_t m = inverted ? p[1] : 255u - p[1];
                const uint32_t ye = inverted ? p[2] : 255u - p[2];
                const uint32_t k = inverted ? p[3] : 255u - p[3];
                r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (ye * k + 127) / 255;
            }
            target[x] = b << 16 | g << 8 | r;
        }
    }
    jpeg_finish_decompress(&info);
}

TBitmap DecodeJpeg(const uint8_t* data, size_t size) {
    TBitmap bitmap;
    TJpegErrors errors;
    jpeg_decompress_struct info{};
    if (setjmp(errors.Escape) != 0) {
        jpeg_destroy_decompress(&info);
        Fail(errors.Message);
    }
    try {
        DecodeInto(data, size, bitmap, errors, info);
    } catch (...) {
        jpeg_destroy_decompress(&info);
        throw;
    }
    jpeg_destroy_decompress(&info);
    return bitmap;
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
    uint32_t width = 0, height = 0;
    ReadFrameSize(data, size, width, height);
    if (width == 0 || height == 0 || width > uint32_t(kMaxBitmapSide) ||
        height > uint32_t(kMaxBitmapSide) || int64_t(width) * height > kMaxDecodedPixels)
        Fail(Format("image size %u x %u is out of range", width, height));
    FBitmap = DecodeJpeg(data, size);
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
