// The configuration and error dialogs on the test's own X server, looked at and clicked from
// outside as a viewer would.

#include "gralith/graphics/DeviceFactory.h"
#include "velorin/Settings.h"
#include "velorin/dialogs/gtk/GtkBanner.h"
#include "velorin/dialogs/gtk/GtkConfigDialog.h"
#include "velorin/dialogs/gtk/GtkErrorDialog.h"
#include "velorin/dialogs/gtk/GtkToolkit.h"

#include "tests/velorin/dialogs/ScreenTools.h"
#include "tests/velorin/dialogs/SettingsLine.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using ConfigDialog = Velorin::GtkConfigDialog;
using ErrorDialog = Velorin::GtkErrorDialog;
using namespace VelorinTest;

const char* const configTitle = "^Halcyra - Brightmoot 08 Invitation$";

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Velorin::GtkToolkit::Initialize()) << "no display";
        alarm(60); // a dialog that never closes ends the program instead of hanging it
        Velorin::GraphicsDriver = Velorin::ResolutionX = Velorin::ResolutionY = Velorin::Multisamples = -7;
        Velorin::Aspect = -7.0f;
        Velorin::Fullscreen = Velorin::PlayMusic = false;
    }
    void TearDown() override {
        if (viewer.joinable())
            viewer.join();
        alarm(0);
    }

    // Clicks the centre of a button from outside, as the viewer would.
    template <class Rect>
    void ClickLater(
        const char* title, Rect button, std::function<void()> first = [] {}) {
        viewer = std::thread([=] {
            first();
            clicked = ClickInWindow(title, button.x + button.width / 2, button.y + button.height / 2);
        });
    }

    std::thread viewer;
    std::atomic<bool> clicked{false};
};

TEST_F(Dialogs, ConfigDialogShowsCentredWithItsBannerAndTransformUntouchedGivesTheDefaults) {
    cairo_surface_t* banner =
        Velorin::GtkBanner::Draw(ConfigDialog::BannerWidth, ConfigDialog::BannerHeight, "HALCYRA",
                                 "Brightmoot 2008 Invitation", Velorin::GtkBanner::AccentInvitation);
    XWindow box;
    double bannerMatch = 0.0;
    ClickLater(configTitle, ConfigDialog::StartButtonRect, [&] {
        FindWindow(configTitle, box, 10);
        bannerMatch = WaitForImage(box.x, box.y, banner);
    });
    bool start = Velorin::ShowConfigDialog();
    viewer.join();
    cairo_surface_destroy(banner);
    ASSERT_TRUE(clicked);
    EXPECT_TRUE(start);
    // Centred on the 1280 x 1024 screen of the test's X server, the banner at its top left.
    EXPECT_EQ((1280 - 401) / 2, box.x);
    EXPECT_EQ((1024 - 361) / 2, box.y);
    EXPECT_EQ("401x361", box.Size());
    EXPECT_GE(bannerMatch, 0.98);
    EXPECT_EQ("driver " + std::to_string(Gralith::Graphics::BuiltDriver(0).Driver) +
                  ", 1024x768, 2 samples, aspect 1.60000002, fullscreen 1, music 1",
              VelorinTest::SettingsLine());
}

TEST_F(Dialogs, TransformCopiesTheViewersChoicesIntoTheSettings) {
    ConfigDialog dialog;
    dialog.ConfigDialog_Load();
    dialog.SelectRow(ConfigDialog::ResolutionList, 5); // "1280 x 800 "
    dialog.SelectRow(ConfigDialog::AntiAliasingList, 4);
    dialog.SelectRow(ConfigDialog::AspectList, 2);
    dialog.SetChecked(ConfigDialog::MusicCheckBox, false);
    dialog.shown = [&](ConfigDialog&) { ClickLater(configTitle, ConfigDialog::StartButtonRect); };
    dialog.ShowDialog();
    viewer.join();
    ASSERT_TRUE(clicked);
    EXPECT_TRUE(Velorin::ApplyConfigDialogFields(dialog));
    EXPECT_EQ("driver 1, 1280x800, 8 samples, aspect 1.33333337, fullscreen 1, music 0", VelorinTest::SettingsLine());
}

TEST_F(Dialogs, ErrorDialogShowsEightBitMessagesThatAreNotUtf8AsLatin1) {
    ErrorDialog dialog;
    auto details = [&] { return std::string(std::unique_ptr<char[]>(dialog.GetErrorMessage()).get()); };
    dialog.SetErrorMessage("File not found: caf\xe9.png");
    EXPECT_EQ("File not found: caf\xc3\xa9.png", details());
    dialog.SetErrorMessage("already UTF-8: \xc3\xa9");
    EXPECT_EQ("already UTF-8: \xc3\xa9", details());
}

} // namespace
