#pragma once

#include "velorin/dialogs/ErrorDialog.h"

#include <functional>

struct _GtkWidget;
struct _GMainLoop;

namespace Velorin {

/// The error dialog on GTK 3 (ErrorDialogForm's texts and sizes).
class GtkErrorDialog {
public:
    struct Rect {
        int x, y, width, height;
    };

    static constexpr int ClientWidth = ErrorDialogForm::ClientWidth;
    static constexpr int ClientHeight = ErrorDialogForm::ClientHeight;
    static constexpr int BannerWidth = ErrorDialogForm::BannerWidth;
    static constexpr int BannerHeight = ErrorDialogForm::BannerHeight;
    static constexpr const char* Title = ErrorDialogForm::Title;
    static constexpr const char* Explanation = ErrorDialogForm::Explanation;
    static constexpr const char* DefaultDetails = ErrorDialogForm::DefaultDetails;
    static constexpr Rect CloseButtonRect = {298, 288, 90, 30};

    /// Builds the controls (InitializeComponent); the toolkit must be initialised.
    GtkErrorDialog();
    ~GtkErrorDialog();
    GtkErrorDialog(const GtkErrorDialog&) = delete;
    GtkErrorDialog& operator=(const GtkErrorDialog&) = delete;

    void InitializeComponent();
    /// Replaces the details text. The text is UTF-8; anything else is read as Latin-1.
    void SetErrorMessage(const char* text);
    /// Closes the dialog.
    void button1_Click();
    /// Shows the dialog centred on the screen and returns when "Close" was pressed.
    void ShowDialog();
    /// Called once each time ShowDialog has put the dialog on the screen, from inside its
    /// event loop.
    std::function<void(GtkErrorDialog&)> shown;

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

} // namespace Velorin
