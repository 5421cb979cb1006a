#include "win32/picture_set.h"

#include "base/picture_scaling.h"
#include "design/dpi_scaling.h"

#include <cstring>
#include <utility>

namespace haloquill::win32 {

namespace {

// A top-down 24-bit bitmap, whose rows of blue, green and red are `bits`, each padded to a
// multiple of four bytes. 24 bits: a static control copies 32-bit bitmaps instead of showing the
// one it is given.
UniqueGdiObject TopDownBitmap(int width, int height, void** bits) {
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    return UniqueGdiObject(::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, bits, nullptr, 0));
}

// The JPEG picture `data`, drawn for `drawnDpi`, as a bitmap scaled to `dpi`; null if it cannot be.
HBITMAP Decode(const void* data, DWORD size, int drawnDpi, int dpi) {
    const auto decoded = DecodeJpeg(static_cast<const std::uint8_t*>(data), size);
    if (!decoded) {
        return nullptr;
    }
    const PixelSize shown = PictureSizeAt({decoded->width, decoded->height}, drawnDpi, dpi);
    const DecodedPicture picture = ScaledPicture(*decoded, shown.width, shown.height);
    // DIB_RGB_COLORS needs no DC; the pixels are laid out as the bitmap lays out its rows.
    void* bits = nullptr;
    UniqueGdiObject bitmap = TopDownBitmap(picture.width, picture.height, &bits);
    if (!bitmap || !bits) {
        return nullptr;
    }
    std::memcpy(bits, picture.pixels.data(), picture.pixels.size());
    return static_cast<HBITMAP>(bitmap.Release());
}

} // namespace

HBITMAP PictureSet::Picture(int number) {
    if (number < 1 || number >= static_cast<int>(pictures_.size())) {
        return nullptr;
    }
    auto& picture = pictures_[static_cast<std::size_t>(number)];
    if (picture) {
        return static_cast<HBITMAP>(picture.Get());
    }
    // The set drawn nearest to the DPI, or the first set should that one be missing.
    for (const PictureSetChoice& set : {PictureSetFor(dpi_), kPictureSets[0]}) {
        HRSRC resource =
            ::FindResourceA(instance_, MAKEINTRESOURCEA(set.resourceBase + number), RT_RCDATA);
        HGLOBAL loaded = resource ? ::LoadResource(instance_, resource) : nullptr;
        const void* data = loaded ? ::LockResource(loaded) : nullptr;
        if (data) {
            picture.Reset(Decode(data, ::SizeofResource(instance_, resource), set.drawnDpi, dpi_));
            break;
        }
    }
    return static_cast<HBITMAP>(picture.Get());
}

PictureSet::Decoded PictureSet::ChangeDpi(int dpi) {
    dpi_ = dpi;
    return std::exchange(pictures_, Decoded{});
}

} // namespace haloquill::win32
