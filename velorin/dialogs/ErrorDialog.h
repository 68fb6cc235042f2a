#pragma once

#include <functional>

struct _GtkWidget;
struct _GMainLoop;

namespace Velorin {

/// The dialog that reports the failure which ended the presentation: a banner, a fixed
/// sentence, the message in a read-only scrolling text box, and "Close".
class ErrorDialog {
public:
    struct Rect {
        int x, y, width, height;
    };

    static constexpr int ClientWidth = 400;
    static constexpr int ClientHeight = 328;
    static constexpr int BannerWidth = 400;
    static constexpr int BannerHeight = 107;
    static constexpr const char* Title = "Halcyra";
    static constexpr const char* Explanation = "An error has occured forcing Halcyra to close. Details:";
    static constexpr const char* DefaultDetails = "No details available.";
    static constexpr Rect CloseButtonRect = {298, 288, 90, 30};

    /// Builds the controls (InitializeComponent); the toolkit must be initialised.
    ErrorDialog();
    ~ErrorDialog();
    ErrorDialog(const ErrorDialog&) = delete;
    ErrorDialog& operator=(const ErrorDialog&) = delete;

    void InitializeComponent();
    /// Replaces the details text. The text is UTF-8; anything else is read as Latin-1.
    void SetErrorMessage(const char* text);
    /// Closes the dialog.
    void button1_Click();
    /// Shows the dialog centred on the screen and returns when "Close" was pressed.
    void ShowDialog();
    /// Called once each time ShowDialog has put the dialog on the screen, from inside its
    /// event loop.
    std::function<void(ErrorDialog&)> shown;

    bool IsVisible() const;
    const char* GetTitle() const;
    /// The details text as shown; the caller frees it with delete[].
    char* GetErrorMessage() const;
    const char* GetLabelText() const;
    const char* GetButtonText() const;
    bool IsDetailsEditable() const;
    /// The client area's top-left corner on the screen (valid while shown).
    void GetScreenOrigin(int& x, int& y) const;

private:
    void Close();

    _GtkWidget* window = nullptr;
    _GtkWidget* banner = nullptr;
    _GtkWidget* label1 = nullptr;
    _GtkWidget* textBox1 = nullptr;
    _GtkWidget* button1 = nullptr;
    _GMainLoop* loop = nullptr;
};

/// Shows the error dialog modally with message (8-bit text, may be empty) as its details and
/// returns when it is closed. Without a display the message goes to the standard error stream
/// instead, so it is never lost.
void ShowErrorMessage(const char* message);

} // namespace Velorin
