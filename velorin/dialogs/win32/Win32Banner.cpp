#include "velorin/dialogs/win32/Win32Banner.h"

#include "gralith/window/win32/Win32Text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace Velorin {

namespace {

struct TextLine {
    const char* text;
    const wchar_t* face;
    int weight;
    double points;
    int x;
    double y; // fraction of the height
    double alpha;
};

// Draws the line white on black into a scratch DIB and keeps the brightest channel as coverage.
void DrawCoverage(const TextLine& line, int width, int height, std::vector<uint8_t>& coverage) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill(coverage.begin(), coverage.end(), uint8_t(0));
    if (!bitmap || !bits) {
        DeleteDC(dc);
        return;
    }
    std::memset(bits, 0, size_t(width) * height * 4);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    // Sizes in points at the screen's resolution, as the GTK banner's font descriptions.
    HDC screen = GetDC(nullptr);
    int pixels = -MulDiv(static_cast<int>(line.points * 100.0 + 0.5), GetDeviceCaps(screen, LOGPIXELSY), 7200);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontW(pixels, 0, 0, 0, line.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, line.face);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    std::wstring text = Gralith::Win32Text::Widen(line.text);
    TextOutW(dc, line.x, static_cast<int>(height * line.y), text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    const uint8_t* p = static_cast<const uint8_t*>(bits);
    for (size_t i = 0; i < coverage.size(); ++i, p += 4)
        coverage[i] = std::max({p[0], p[1], p[2]});
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace

std::vector<uint32_t> Win32Banner::Draw(int width, int height, const char* title, const char* subtitle,
                                        BannerPixels::Accent accent) {
    std::vector<uint32_t> pixels(size_t(width) * height);
    BannerPixels::Paint(pixels.data(), width, height, accent);

    std::vector<uint8_t> coverage(pixels.size());
    const TextLine lines[] = {
        {title, L"DejaVu Sans", FW_BOLD, 26.0, 18, 0.16, 0.95},
        {subtitle, L"DejaVu Sans", FW_NORMAL, 10.0, 21, 0.62, 0.8},
    };
    for (const TextLine& line : lines) {
        if (!line.text || !*line.text)
            continue;
        DrawCoverage(line, width, height, coverage);
        BannerPixels::BlendWhite(pixels.data(), coverage.data(), width, height, line.alpha);
    }
    return pixels;
}

HBITMAP Win32Banner::CreateBitmap(const std::vector<uint32_t>& pixels, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    // A 32-bit DIB stores blue, green, red, unused: the same bytes as 0xFFRRGGBB on a
    // little-endian machine.
    if (bitmap && bits)
        std::memcpy(bits, pixels.data(), std::min(pixels.size(), size_t(width) * height) * 4);
    return bitmap;
}

} // namespace Velorin
