#pragma once
// The abstract picture kind a TPicture holds (bitmap, icon, JPEG image,
// metafile): a size, a transparency flag, drawing stretched into a rectangle
// of a canvas, loading and saving in its own file format, and a change
// notification for the owner.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/SysUtils.h"
#include "framework/graphics/Types.h"

class TCanvas;
class TStream;

// A picture file that cannot be decoded, or an operation a graphic kind
// does not support. The message says what and, for damaged files, where.
SSI_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
// A bitmap too large to be created.
SSI_DECLARE_EXCEPTION(EOutOfResources, Exception)

class TGraphic {
public:
    virtual ~TGraphic() = default;

    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);

    // Draws the graphic stretched into `rect` (logical coordinates of the
    // canvas), leaving out its transparent parts when it has any.
    virtual void Draw(TCanvas& canvas, const TRect& rect) const = 0;

    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) const = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    // A deep copy of the same kind.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // Called after every change of size, content or transparency.
    std::function<void(TGraphic&)> OnChange;

protected:
    void Changed();
    // Everything from the stream's position to its end (decoders work on
    // whole files in memory).
    static std::vector<uint8_t> ReadRemaining(TStream& stream);

private:
    bool FTransparent = false;
};
