#include "driver/screen_picture.h"

#include "win32/unique_handle.h"

#include <algorithm>
#include <memory>
#include <type_traits>

namespace haloquill::testing {

namespace {

constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// The DC of the whole screen, for as long as it is needed.
class ScreenDc {
  public:
    ScreenDc() : dc_(::GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// A memory DC drawing into a 32-bit top-down DIB whose pixels can be read directly.
class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height) {
        ScreenDc screen;
        dc_ = ::CreateCompatibleDC(screen.Get());
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const std::uint32_t*>(bits);
        previous_ = ::SelectObject(dc_, bitmap_.Get());
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() {
        ::SelectObject(dc_, previous_);
        ::DeleteDC(dc_);
    }

    HDC Dc() const { return dc_; }
    bool IsReady() const { return bits_ != nullptr; }
    std::uint32_t At(int x, int y) const { return bits_[y * width_ + x] & kColourBits; }

    void Fill(COLORREF colour) {
        win32::UniqueGdiObject brush(::CreateSolidBrush(colour));
        const RECT all{0, 0, width_, height_};
        ::FillRect(dc_, &all, static_cast<HBRUSH>(brush.Get()));
    }

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    win32::UniqueGdiObject bitmap_;
    HGDIOBJ previous_ = nullptr;
    const std::uint32_t* bits_ = nullptr;
};

std::uint32_t FromColorRef(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

bool MatchesAt(const ScreenPicture& picture, const Pattern& pattern, int left, int top) {
    for (int y = 0; y < pattern.height; ++y) {
        for (int x = 0; x < pattern.width; ++x) {
            const std::size_t index = static_cast<std::size_t>(y * pattern.width + x);
            if (pattern.counts[index] && picture.At(left + x, top + y) != pattern.pixels[index]) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

ScreenPicture ScreenPicture::Capture(const RECT& area) {
    ScreenPicture picture;
    picture.area_ = area;
    const int width = std::max(0L, area.right - area.left);
    const int height = std::max(0L, area.bottom - area.top);
    picture.area_.right = area.left + width;
    picture.area_.bottom = area.top + height;
    picture.pixels_.assign(static_cast<std::size_t>(width) * height, 0);
    if (width == 0 || height == 0) {
        return picture;
    }
    Canvas canvas(width, height);
    if (!canvas.IsReady()) {
        return picture;
    }
    {
        ScreenDc screen;
        ::BitBlt(canvas.Dc(), 0, 0, width, height, screen.Get(), area.left, area.top,
                 SRCCOPY | CAPTUREBLT);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.pixels_[static_cast<std::size_t>(y * width + x)] = canvas.At(x, y);
        }
    }
    return picture;
}

Pattern IconPattern(HICON icon, int size) {
    Pattern pattern;
    Canvas onBlack(size, size);
    Canvas onWhite(size, size);
    if (!icon || !onBlack.IsReady() || !onWhite.IsReady()) {
        return pattern;
    }
    onBlack.Fill(RGB(0, 0, 0));
    onWhite.Fill(RGB(255, 255, 255));
    ::DrawIconEx(onBlack.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    ::DrawIconEx(onWhite.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    pattern.width = size;
    pattern.height = size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            pattern.pixels.push_back(onBlack.At(x, y));
            pattern.counts.push_back(onBlack.At(x, y) == onWhite.At(x, y));
        }
    }
    return pattern;
}

Pattern IconPatternFromFile(const std::string& executable, int resourceId, int size) {
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&::FreeLibrary)> module(
        ::LoadLibraryExA(executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), &::FreeLibrary);
    if (!module) {
        return {};
    }
    const std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&::DestroyIcon)> icon(
        static_cast<HICON>(
            ::LoadImageA(module.get(), MAKEINTRESOURCEA(resourceId), IMAGE_ICON, size, size, 0)),
        &::DestroyIcon);
    return IconPattern(icon.get(), size);
}

Pattern TextPattern(const std::string& text, const LOGFONTA& font, COLORREF ink, COLORREF paper) {
    constexpr int kMargin = 4;
    Pattern pattern;
    win32::UniqueGdiObject typeface(::CreateFontIndirectA(&font));
    SIZE extent{};
    {
        Canvas measure(1, 1);
        const HGDIOBJ previous = ::SelectObject(measure.Dc(), typeface.Get());
        ::GetTextExtentPoint32A(measure.Dc(), text.c_str(), static_cast<int>(text.size()), &extent);
        ::SelectObject(measure.Dc(), previous);
    }
    const int width = extent.cx + 2 * kMargin;
    const int height = extent.cy + 2 * kMargin;
    Canvas canvas(width, height);
    if (!typeface || !canvas.IsReady()) {
        return pattern;
    }
    canvas.Fill(paper);
    const HGDIOBJ previous = ::SelectObject(canvas.Dc(), typeface.Get());
    ::SetTextColor(canvas.Dc(), ink);
    ::SetBkMode(canvas.Dc(), TRANSPARENT);
    RECT line{kMargin, kMargin, width - kMargin, height - kMargin};
    ::DrawTextA(canvas.Dc(), text.c_str(), -1, &line,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(canvas.Dc(), previous);

    // The box the ink covers.
    const std::uint32_t background = FromColorRef(paper);
    RECT inked{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (canvas.At(x, y) != background) {
                inked.left = std::min<LONG>(inked.left, x);
                inked.top = std::min<LONG>(inked.top, y);
                inked.right = std::max<LONG>(inked.right, x + 1);
                inked.bottom = std::max<LONG>(inked.bottom, y + 1);
            }
        }
    }
    if (inked.right <= inked.left) {
        return pattern;
    }
    pattern.width = inked.right - inked.left;
    pattern.height = inked.bottom - inked.top;
    for (int y = inked.top; y < inked.bottom; ++y) {
        for (int x = inked.left; x < inked.right; ++x) {
            pattern.pixels.push_back(canvas.At(x, y));
            pattern.counts.push_back(true);
        }
    }
    return pattern;
}

std::vector<POINT> FindPattern(const ScreenPicture& picture, const Pattern& pattern) {
    std::vector<POINT> found;
    // A pattern of which nothing counts would be found everywhere.
    if (std::find(pattern.counts.begin(), pattern.counts.end(), true) == pattern.counts.end()) {
        return found;
    }
    for (int top = 0; top + pattern.height <= picture.Height(); ++top) {
        for (int left = 0; left + pattern.width <= picture.Width(); ++left) {
            if (MatchesAt(picture, pattern, left, top)) {
                found.push_back({picture.Area().left + left, picture.Area().top + top});
            }
        }
    }
    return found;
}

POINT CentreOf(const Pattern& pattern, POINT at) {
    return {at.x + pattern.width / 2, at.y + pattern.height / 2};
}

} // namespace haloquill::testing
