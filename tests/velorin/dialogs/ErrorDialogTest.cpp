#include "velorin/dialogs/ErrorDialog.h"
#include "velorin/dialogs/Banner.h"
#include "velorin/dialogs/Toolkit.h"

#include "tests/velorin/dialogs/ScreenTools.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

using Velorin::ErrorDialog;
using namespace VelorinTest;

namespace {

const char* const titleRegex = "^Halcyra$";

std::string Details(const ErrorDialog& dialog) {
    std::unique_ptr<char[]> text(dialog.GetErrorMessage());
    return text.get();
}

class ErrorDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Velorin::Toolkit::Initialize()) << "no display"; }
};

TEST_F(ErrorDialogTest, EightBitMessagesThatAreNotUtf8AreShownAsLatin1) {
    ErrorDialog dialog;
    dialog.SetErrorMessage("File not found: caf\xe9.png");
    EXPECT_EQ("File not found: caf\xc3\xa9.png", Details(dialog));
    dialog.SetErrorMessage("already UTF-8: \xc3\xa9");
    EXPECT_EQ("already UTF-8: \xc3\xa9", Details(dialog));
}

TEST_F(ErrorDialogTest, ShowErrorMessageReturnsAfterClose) {
    Watchdog watchdog(60);
    std::atomic<bool> clicked{false};
    std::thread viewer([&] {
        const ErrorDialog::Rect& close = ErrorDialog::CloseButtonRect;
        clicked = ClickInWindow(titleRegex, close.x + close.width / 2, close.y + close.height / 2);
    });
    Velorin::ShowErrorMessage("No such framebuffer: ");
    viewer.join();
    EXPECT_TRUE(clicked);
}

} // namespace
