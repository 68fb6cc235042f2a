// Without any display (a CI machine, a broken session) an error must not be lost: it goes to
// standard error. The configuration dialog's own failure is seen at halcyra's level.

#include "velorin/dialogs/ErrorDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(NoDisplay, ErrorMessageGoesToStandardError) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    Velorin::ShowErrorMessage("No such effect: glow");
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, written.find("No such effect: glow\n")) << written;
}

} // namespace
