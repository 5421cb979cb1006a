#include "win32/picture_set.h"

#include "base/jpeg_picture.h"
#include "design/dpi_scaling.h"
#include "win32/gdi_scopes.h"

#include <cstring>
#include <utility>

namespace haloquill::win32 {

namespace {

// A top-down 24-bit bitmap, whose rows of blue, green and red are `bits`, each padded to a
// multiple of four bytes. 24 bits: a static control copies 32-bit bitmaps instead of showing the
// one it is given.
UniqueGdiObject TopDownBitmap(HDC screen, int width, int height, void** bits) {
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    return UniqueGdiObject(::CreateDIBSection(screen, &header, DIB_RGB_COLORS, bits, nullptr, 0));
}

HBITMAP ScaledCopy(HBITMAP source, int drawnDpi, int dpi) {
    BITMAP info{};
    if (!::GetObjectA(source, sizeof info, &info)) {
        return nullptr;
    }
    const PixelSize size = PictureSizeAt({info.bmWidth, info.bmHeight}, drawnDpi, dpi);
    const int width = size.width;
    const int height = size.height;

    void* bits = nullptr;
    const WindowDc screen(nullptr);
    UniqueGdiObject target = TopDownBitmap(screen.Get(), width, height, &bits);
    const MemoryDc from(::CreateCompatibleDC(screen.Get()));
    const MemoryDc to(::CreateCompatibleDC(screen.Get()));
    if (!target || !from.Get() || !to.Get()) {
        return nullptr;
    }
    {
        const SelectedObject sourceSelected(from.Get(), source);
        const SelectedObject targetSelected(to.Get(), target.Get());
        if (width == info.bmWidth && height == info.bmHeight) {
            ::BitBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, SRCCOPY);
        } else {
            ::SetStretchBltMode(to.Get(), HALFTONE);
            ::SetBrushOrgEx(to.Get(), 0, 0, nullptr);
            ::StretchBlt(to.Get(), 0, 0, width, height, from.Get(), 0, 0, info.bmWidth,
                         info.bmHeight, SRCCOPY);
        }
    }
    return static_cast<HBITMAP>(target.Release());
}

} // namespace

HBITMAP PictureSet::Decode(const void* data, DWORD size, int drawnDpi) {
    const auto decoded = DecodeJpeg(static_cast<const std::uint8_t*>(data), size);
    if (!decoded) {
        return nullptr;
    }
    // The picture as drawn, then its copy scaled to the DPI. DIB_RGB_COLORS needs no DC.
    void* bits = nullptr;
    const UniqueGdiObject drawn = TopDownBitmap(nullptr, decoded->width, decoded->height, &bits);
    if (!drawn || !bits) {
        return nullptr;
    }
    // The decoder lays its rows out as the bitmap does.
    std::memcpy(bits, decoded->pixels.data(), decoded->pixels.size());
    return ScaledCopy(static_cast<HBITMAP>(drawn.Get()), drawnDpi, dpi_);
}

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
            picture.Reset(Decode(data, ::SizeofResource(instance_, resource), set.drawnDpi));
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
