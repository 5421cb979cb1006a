#include "win32/picture_set.h"

#include "design/main_window_layout.h"
#include "design/twips.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>

namespace haloquill::win32 {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface> class ComPointer {
  public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer_) {
            pointer_->Release();
        }
    }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    Interface** Receive() { return &pointer_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }

  private:
    Interface* pointer_ = nullptr;
};

HBITMAP ScaledCopy(HBITMAP source, int dpi) {
    BITMAP info{};
    if (!::GetObjectA(source, sizeof info, &info)) {
        return nullptr;
    }
    const int width = TwipsToPixels(info.bmWidth * 15, dpi);
    const int height = TwipsToPixels(info.bmHeight * 15, dpi);

    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    // 24 bits: a static control copies 32-bit bitmaps instead of showing the one it is given.
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP target = ::CreateDIBSection(screen, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = ::CreateCompatibleDC(screen);
    HDC to = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (target && from && to) {
        HGDIOBJ oldFrom = ::SelectObject(from, source);
        HGDIOBJ oldTo = ::SelectObject(to, target);
        if (width == info.bmWidth && height == info.bmHeight) {
            ::BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
        } else {
            ::SetStretchBltMode(to, HALFTONE);
            ::SetBrushOrgEx(to, 0, 0, nullptr);
            ::StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        }
        ::SelectObject(from, oldFrom);
        ::SelectObject(to, oldTo);
    }
    if (from) {
        ::DeleteDC(from);
    }
    if (to) {
        ::DeleteDC(to);
    }
    return target;
}

} // namespace

PictureSet::~PictureSet() {
    for (auto& picture : pictures_) {
        picture.Reset();
    }
}

HBITMAP PictureSet::Decode(const void* data, DWORD size) {
    using StreamFunction = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
    using LoadPictureFunction = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);
    const auto createStream = ole_.Get<StreamFunction>("CreateStreamOnHGlobal");
    const auto loadPicture = oleAutomation_.Get<LoadPictureFunction>("OleLoadPicture");
    if (!createStream || !loadPicture || !com_.Enter()) {
        return nullptr;
    }

    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) {
        return nullptr;
    }
    void* target = ::GlobalLock(memory);
    std::memcpy(target, data, size);
    ::GlobalUnlock(memory);

    ComPointer<IStream> stream;
    if (FAILED(createStream(memory, TRUE, stream.Receive()))) {
        ::GlobalFree(memory);
        return nullptr;
    }
    ComPointer<IPicture> picture;
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
    return ScaledCopy(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), dpi_);
}

HBITMAP PictureSet::Picture(int number) {
    if (number < 1 || number >= static_cast<int>(pictures_.size())) {
        return nullptr;
    }
    auto& picture = pictures_[static_cast<std::size_t>(number)];
    if (!picture) {
        HRSRC resource = ::FindResourceA(instance_, MAKEINTRESOURCEA(kPictureResourceBase + number),
                                         MAKEINTRESOURCEA(10)); // RT_RCDATA
        HGLOBAL loaded = resource ? ::LoadResource(instance_, resource) : nullptr;
        const void* data = loaded ? ::LockResource(loaded) : nullptr;
        if (data) {
            picture.Reset(Decode(data, ::SizeofResource(instance_, resource)));
        }
    }
    return static_cast<HBITMAP>(picture.Get());
}

} // namespace haloquill::win32
