#include "win32/picture_set.h"

#include "base/interface_reference.h"
#include "design/dpi_scaling.h"
#include "win32/gdi_scopes.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <utility>

namespace haloquill::win32 {

namespace {

HBITMAP ScaledCopy(HBITMAP source, int drawnDpi, int dpi) {
    BITMAP info{};
    if (!::GetObjectA(source, sizeof info, &info)) {
        return nullptr;
    }
    const PixelSize size = PictureSizeAt({info.bmWidth, info.bmHeight}, drawnDpi, dpi);
    const int width = size.width;
    const int height = size.height;

    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    // 24 bits: a static control copies 32-bit bitmaps instead of showing the one it is given.
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const WindowDc screen(nullptr);
    UniqueGdiObject target(
        ::CreateDIBSection(screen.Get(), &header, DIB_RGB_COLORS, &bits, nullptr, 0));
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

PictureSet::~PictureSet() {
    for (auto& picture : pictures_) {
        picture.Reset();
    }
}

HBITMAP PictureSet::Decode(const void* data, DWORD size, int drawnDpi) {
    const auto createStream = HALOQUILL_LATE_BOUND(ole_, CreateStreamOnHGlobal);
    const auto loadPicture = HALOQUILL_LATE_BOUND(oleAutomation_, OleLoadPicture);
    if (!createStream || !loadPicture || !com_.Enter()) {
        return nullptr;
    }

    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) {
        return nullptr;
    }
    void* target = ::GlobalLock(memory);
    if (!target) {
        ::GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, data, size);
    ::GlobalUnlock(memory);

    InterfaceReference<IStream> stream;
    if (FAILED(createStream(memory, TRUE, stream.Receive()))) {
        ::GlobalFree(memory);
        return nullptr;
    }
    InterfaceReference<IPicture> picture;
    if (FAILED(loadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                           picture.ReceiveVoid()))) {
        return nullptr;
    }
    OLE_HANDLE handle = 0;
    short type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle))) {
        return nullptr;
    }
    // The picture object owns its bitmap; keep a copy of our own.
    return ScaledCopy(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), drawnDpi, dpi_);
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
