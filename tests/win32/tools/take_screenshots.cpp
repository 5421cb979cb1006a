// Saves pictures of the program's windows for review: the settings page (a first start), the
// angel page (the next start), on a screen of 96 DPI that page also moved to a monitor of 144 and
// back, the About window and the angel page once more in a high-contrast colour scheme, as BMP
// files in the folder it is given.

#include "design/control_ids.h"
#include "driver/colour_scheme.h"
#include "driver/program_driver.h"
#include "win32/about_window.h"

#include <cstdio>
#include <string>
#include <utility>

namespace {

using namespace haloquill;
using namespace haloquill::testing;

// Copies what the screen shows of `window`, frame included, into a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    bool written = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  std::fwrite(bits, imageSize, 1, out) == 1;
        std::fclose(out);
    }
    ::DeleteObject(bitmap);
    return written;
}

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

bool Settle(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(700);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: take_screenshots <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    ProgramDriver driver("HaloquillReview");
    {
        auto first = driver.Start();
        if (!first->WaitForMainWindow() || !Settle(first->MainWindow()) ||
            !SaveWindowPicture(first->MainWindow(), folder + "\\settings.bmp")) {
            return 1;
        }
        first->Close();
    }
    auto second = driver.Start();
    if (!second->WaitForMainWindow() || !Settle(second->MainWindow()) ||
        !SaveWindowPicture(second->MainWindow(), folder + "\\angel.bmp")) {
        return 1;
    }
    // The same page moved to a monitor of 144 DPI and back, from a screen of 96.
    if (ScreenDpi() == 96) {
        HWND window = second->MainWindow();
        for (const auto& [dpi, name] : {std::pair{144, "angel-96-to-144"}, {96, "angel-96-back"}}) {
            const RECT suggested = SuggestedWindowRect(window, MainWindowClientSize(dpi), true);
            if (!second->SendDpiChange(window, dpi, suggested) || !Settle(window) ||
                !SaveWindowPicture(window, folder + "\\" + name + ".bmp")) {
                return 1;
            }
        }
    }
    ::PostMessageA(second->MainWindow(), WM_COMMAND, MAKEWPARAM(kMnuAbout, 0), 0);
    HWND about = nullptr;
    WaitUntil([&] {
        about = second->ShownTopLevelWindow(win32::kAboutWindowClass);
        return about != nullptr;
    });
    if (!about || !Settle(about) || !SaveWindowPicture(about, folder + "\\about.bmp")) {
        return 1;
    }
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    second->Close();

    // The same page while high contrast is on, in a black scheme.
    const ColourSchemeOverride scheme(HighContrastBlackScheme());
    const HighContrastHook highContrast;
    auto third = driver.Start();
    if (!third->WaitForMainWindow() || !Settle(third->MainWindow()) ||
        !SaveWindowPicture(third->MainWindow(), folder + "\\angel-high-contrast.bmp")) {
        return 1;
    }
    third->Close();
    return 0;
}
