// Without any display (a CI machine, a broken session) the dialogs must neither hang nor lose
// the error: the configuration dialog fails clearly and the error message goes to stderr.

#include "gralith/Exception.h"
#include "velorin/dialogs/ConfigDialog.h"
#include "velorin/dialogs/ErrorDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class NoDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
    }
};

TEST_F(NoDisplay, ConfigDialogFailsWithAClearMessage) {
    try {
        Velorin::ShowConfigDialog();
        FAIL() << "no error";
    } catch (const Gralith::Exception& e) {
        EXPECT_STREQ("Unable to open a display for the configuration dialog", e.GetMessage());
    }
}

TEST_F(NoDisplay, ErrorMessageGoesToStandardError) {
    testing::internal::CaptureStderr();
    Velorin::ShowErrorMessage("No such effect: glow");
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, written.find("No such effect: glow\n")) << written;
}

} // namespace
