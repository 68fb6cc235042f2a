#include "velorin/dialogs/win32/Win32DialogWindow.h"

#include "gralith/window/win32/Win32Text.h"

#include <windows.h>

namespace Velorin {

namespace {

const wchar_t* const windowClass = L"VelorinDialog";

} // namespace

struct Win32DialogWindowProcedure {
    static LRESULT CALLBACK Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* dialog = reinterpret_cast<Win32DialogWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!dialog)
            return DefWindowProcW(hwnd, message, wParam, lParam);

        switch (message) {
        case WM_COMMAND:
            if (lParam) {
                dialog->OnCommand(LOWORD(wParam), HIWORD(wParam));
                return 0;
            }
            break;
        case WM_CLOSE:
            // No control box: Alt+F4 and the window manager do not close the dialog.
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: {
            if (dialog->textColour < 0)
                break;
            HDC dc = reinterpret_cast<HDC>(wParam);
            bool white = reinterpret_cast<HWND>(lParam) == dialog->whiteControl;
            SetTextColor(dc, static_cast<COLORREF>(dialog->textColour));
            SetBkColor(dc, white ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE));
            HGDIOBJ brush = white ? GetStockObject(WHITE_BRUSH) : GetSysColorBrush(COLOR_BTNFACE);
            return reinterpret_cast<LRESULT>(brush);
        }
        default: break;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

Win32DialogWindow::~Win32DialogWindow() {
    if (window) {
        // The derived dialog is gone already: notifications sent while the controls are
        // destroyed must not reach it.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
    if (font)
        DeleteObject(font);
}

void Win32DialogWindow::CreateFrame(const char* title, int clientWidth, int clientHeight, const wchar_t* fontFace,
                                    double points) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    if (!GetClassInfoExW(instance, windowClass, &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Win32DialogWindowProcedure::Handle;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = windowClass;
        RegisterClassExW(&wc);
    }

    // A fixed single border with a caption and no system menu: no close, minimise or maximise.
    const DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    RECT outer = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    window = CreateWindowExW(exStyle, windowClass, Gralith::Win32Text::Widen(title).c_str(), style, CW_USEDEFAULT,
                             CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                             instance, this);

    HDC screen = GetDC(nullptr);
    int height = -MulDiv(static_cast<int>(points * 100.0 + 0.5), GetDeviceCaps(screen, LOGPIXELSY), 7200);
    ReleaseDC(nullptr, screen);
    font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, fontFace);
}

HWND Win32DialogWindow::AddControl(const wchar_t* className, const char* text, unsigned long style, Rect r, int id,
                                   unsigned long exStyle) {
    HWND control = CreateWindowExW(exStyle, className, Gralith::Win32Text::Widen(text).c_str(),
                                   WS_CHILD | WS_VISIBLE | style, r.x, r.y, r.width, r.height, window,
                                   reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

bool Win32DialogWindow::IsVisible() const { return window && IsWindowVisible(window); }

void Win32DialogWindow::EndModal() {
    // The owner first, so that it, not another program, becomes active when the dialog hides.
    if (owner)
        EnableWindow(owner, TRUE);
    ShowWindow(window, SW_HIDE);
    running = false;
}

bool Win32DialogWindow::ShowModal() {
    owner = GetActiveWindow();
    if (owner == window)
        owner = nullptr;
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (owner)
        EnableWindow(owner, FALSE);

    RECT area, outer;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(window, &outer);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    SetWindowPos(window, HWND_TOP, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE))
        SetFocus(first);
    UpdateWindow(window);

    running = true;
    MSG msg;
    while (running) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            EndModal();
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

} // namespace Velorin
