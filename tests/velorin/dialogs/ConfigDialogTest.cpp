#include "velorin/dialogs/ConfigDialog.h"
#include "gralith/graphics/sdl/DeviceFactory.h"
#include "velorin/Settings.h"
#include "velorin/dialogs/Banner.h"
#include "velorin/dialogs/Toolkit.h"

#include "tests/velorin/dialogs/ScreenTools.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

using Velorin::ConfigDialog;
using namespace VelorinTest;

namespace {

const char* const titleRegex = "^Halcyra - Brightmoot 08 Invitation$";

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Velorin::Toolkit::Initialize()) << "no display"; }
    void TearDown() override {
        if (viewer.joinable())
            viewer.join();
    }

    // Clicks the centre of a button from outside, as the viewer would.
    void ClickLater(ConfigDialog::Rect button) {
        viewer = std::thread([button, this] {
            clicked = ClickInWindow(titleRegex, button.x + button.width / 2, button.y + button.height / 2);
        });
    }

    std::thread viewer;
    std::atomic<bool> clicked{false};
};

void ResetSettings() {
    Velorin::GraphicsDriver = -7;
    Velorin::ResolutionX = Velorin::ResolutionY = -7;
    Velorin::Multisamples = -7;
    Velorin::Aspect = -7.0f;
    Velorin::Fullscreen = Velorin::PlayMusic = false;
}

TEST_F(ConfigDialogTest, AppearsCentredWithBannerAndDefaultsThenDissolveCloses) {
    Watchdog watchdog(60);
    ConfigDialog dialog;
    cairo_surface_t* banner =
        Velorin::Banner::Draw(401, 105, "HALCYRA", "Brightmoot 2008 Invitation", Velorin::Banner::AccentInvitation);
    std::atomic<double> bannerMatch{0.0};
    std::string size;
    int selected[4] = {-1, -1, -1, -1};
    bool visible = false, musicChecked = false, fullscreenChecked = false;
    int originX = -1, originY = -1;
    ConfigDialog::Rect bannerRect{}, quitRect{};

    dialog.shown = [&](ConfigDialog& d) {
        visible = d.IsVisible();
        for (int i = 0; i < 4; ++i)
            selected[i] = d.GetSelectedRow(static_cast<ConfigDialog::List>(i));
        musicChecked = d.IsChecked(ConfigDialog::MusicCheckBox);
        fullscreenChecked = d.IsChecked(ConfigDialog::FullscreenCheckBox);
        d.GetScreenOrigin(originX, originY);
        bannerRect = d.GetControlRect(ConfigDialog::Banner);
        quitRect = d.GetControlRect(ConfigDialog::QuitButton);
        viewer = std::thread([&, x = originX + bannerRect.x, y = originY + bannerRect.y, quitRect] {
            bannerMatch = WaitForImage(x, y, banner);
            size = WindowSize(titleRegex);
            clicked = ClickInWindow(titleRegex, quitRect.x + quitRect.width / 2, quitRect.y + quitRect.height / 2);
        });
    };
    dialog.ShowDialog();
    viewer.join();
    cairo_surface_destroy(banner);

    EXPECT_TRUE(visible);
    EXPECT_EQ(0, selected[0]);
    EXPECT_EQ(3, selected[1]);
    EXPECT_EQ(1, selected[2]);
    EXPECT_EQ(0, selected[3]);
    EXPECT_TRUE(musicChecked);
    EXPECT_TRUE(fullscreenChecked);
    // Centred on the 1280 x 1024 screen of the test's X server.
    EXPECT_EQ((1280 - 401) / 2, originX);
    EXPECT_EQ((1024 - 361) / 2, originY);
    EXPECT_EQ("401x361", size);
    EXPECT_EQ(0, bannerRect.x);
    EXPECT_EQ(0, bannerRect.y);
    EXPECT_GE(bannerMatch.load(), 0.98) << "the banner did not show at the dialog's top-left corner";
    EXPECT_TRUE(clicked);
    EXPECT_TRUE(dialog.quitButtonPressed);
    EXPECT_FALSE(dialog.IsVisible());
}

TEST_F(ConfigDialogTest, TransformCopiesTheViewersChoices) {
    Watchdog watchdog(60);
    ConfigDialog dialog;
    dialog.ConfigDialog_Load();
    dialog.SelectRow(ConfigDialog::ResolutionList, 5); // "1280 x 800 "
    dialog.SelectRow(ConfigDialog::AntiAliasingList, 4);
    dialog.SelectRow(ConfigDialog::AspectList, 2);
    dialog.SetChecked(ConfigDialog::MusicCheckBox, false);
    dialog.shown = [&](ConfigDialog&) { ClickLater(ConfigDialog::StartButtonRect); };
    dialog.ShowDialog();
    viewer.join();

    ASSERT_TRUE(clicked);
    EXPECT_FALSE(dialog.quitButtonPressed);
    EXPECT_EQ(Gralith::Graphics::GraphicsDriverOpenGL, dialog.gralithDriverIndex);
    EXPECT_EQ(5, dialog.displayResolutionIndex);
    EXPECT_EQ(4, dialog.antiAliasingIndex);
    EXPECT_EQ(2, dialog.aspectIndex);
    EXPECT_FALSE(dialog.music);
    EXPECT_TRUE(dialog.fullscreen);

    ResetSettings();
    EXPECT_TRUE(Velorin::ApplyConfigDialogFields(dialog));
    EXPECT_EQ(1280, Velorin::ResolutionX);
    EXPECT_EQ(800, Velorin::ResolutionY);
    EXPECT_EQ(8, Velorin::Multisamples);
    EXPECT_EQ(4.0f / 3.0f, Velorin::Aspect);
    EXPECT_FALSE(Velorin::PlayMusic);
    EXPECT_TRUE(Velorin::Fullscreen);
    EXPECT_EQ(1, Velorin::GraphicsDriver);
}

TEST_F(ConfigDialogTest, ShowConfigDialogTransformUntouchedGivesTheDefaults) {
    Watchdog watchdog(60);
    ResetSettings();
    ClickLater(ConfigDialog::StartButtonRect);
    bool start = Velorin::ShowConfigDialog();
    viewer.join();
    ASSERT_TRUE(clicked);
    EXPECT_TRUE(start);
    EXPECT_EQ(Gralith::Graphics::BuiltDriver(0).Driver, Velorin::GraphicsDriver);
    EXPECT_EQ(1024, Velorin::ResolutionX);
    EXPECT_EQ(768, Velorin::ResolutionY);
    EXPECT_EQ(2, Velorin::Multisamples);
    EXPECT_EQ(1.6f, Velorin::Aspect);
    EXPECT_TRUE(Velorin::Fullscreen);
    EXPECT_TRUE(Velorin::PlayMusic);
}

} // namespace
