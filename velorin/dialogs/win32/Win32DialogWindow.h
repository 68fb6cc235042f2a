#pragma once

struct HWND__;
struct HFONT__;

namespace Velorin {

/// What both Win32 dialogs share: a fixed-size, captioned window without a control box (only its
/// own buttons close it), laid out in client pixels, with one font for every control, shown
/// centred on the screen and run modally on the calling thread.
class Win32DialogWindow {
public:
    struct Rect {
        int x, y, width, height;
    };

    virtual ~Win32DialogWindow();
    Win32DialogWindow(const Win32DialogWindow&) = delete;
    Win32DialogWindow& operator=(const Win32DialogWindow&) = delete;

    /// Shows the window centred on the screen's work area and dispatches messages until a
    /// control calls EndModal (true). A quit message ends it too (false) and is posted again for
    /// the caller's own loop. The thread's active window, if any (the presentation's, behind the
    /// error dialog), owns the dialog and takes no input meanwhile.
    bool ShowModal();

    HWND__* GetHandle() const { return window; }
    bool IsVisible() const;

protected:
    Win32DialogWindow() = default;

    /// Creates the hidden window: title (UTF-8), client size, and the font of its controls
    /// (face name, size in points).
    void CreateFrame(const char* title, int clientWidth, int clientHeight, const wchar_t* fontFace, double points);
    /// A child control at r of the client area, with the dialog's font; text is UTF-8.
    HWND__* AddControl(const wchar_t* className, const char* text, unsigned long style, Rect r, int id = 0,
                       unsigned long exStyle = 0);
    /// Hides the window and ends ShowModal.
    void EndModal();

    /// A control's WM_COMMAND notification.
    virtual void OnCommand(int id, int code) = 0;

    /// Text colour (0x00BBGGRR) of the labels, check boxes and text boxes; negative keeps the
    /// system's.
    long textColour = -1;
    /// A read-only text box drawn on white instead of the dialog's face colour.
    HWND__* whiteControl = nullptr;

private:
    friend struct Win32DialogWindowProcedure;

    HWND__* window = nullptr;
    HWND__* owner = nullptr;
    HFONT__* font = nullptr;
    bool running = false;
};

} // namespace Velorin
