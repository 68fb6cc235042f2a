// The preview's promises on the real show, drawn headless by the offline renderer: a moment looks
// the same however it is reached, and a reload takes changed files while a broken one leaves the
// last good version running.

#include "velorin/preview/Reload.h"
#include "velorin/Presentation.h"
#include "velorin/render/OfflineRenderer.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Frame = std::vector<std::uint8_t>;

// One renderer over a copy of the built show for the whole suite: the show's effects keep some
// objects for the process, as in the show.
class Preview : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!fs::exists(fs::path(HALCYRA_DATA) / "music/music.ogg"))
            return;
        data = new GralithTest::TempDirectory;
        fs::copy(HALCYRA_DATA, data->Path(), fs::copy_options::recursive);
        renderer = new Velorin::OfflineRenderer(data->Path(), 64, 40, 1.6f);
    }
    static void TearDownTestSuite() {
        delete renderer;
        Velorin::ReleasePresentationObjects();
        delete data;
    }
    void SetUp() override {
        if (!renderer)
            GTEST_SKIP() << "the show's content is not built in " << HALCYRA_DATA;
    }

    static Frame At(double t, double delta = 1.0 / 30.0) {
        EXPECT_TRUE(renderer->Render(t, delta));
        return renderer->ReadFrame();
    }
    static std::string Read(const std::string& name) {
        std::ifstream in(*data / name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static inline GralithTest::TempDirectory* data = nullptr;
    static inline Velorin::OfflineRenderer* renderer = nullptr;
};

// The heavy passage cuts the camera on its kicks, so frames there depend on the cuts before.
TEST_F(Preview, AMomentLooksTheSameWhetherPlayedToOrSeeked) {
    const double moment = 44.0;
    Frame seeked = At(moment);
    for (double rate : {30.0, 47.0}) {
        At(10.0);
        for (double t = 42.6; t < moment; t += 1.0 / rate)
            At(t, 1.0 / rate);
        EXPECT_TRUE(seeked == At(moment, 1.0 / rate)) << "played at " << rate << " frames per second";
    }
    At(46.0);
    EXPECT_TRUE(seeked == At(moment)) << "seeking back";
}

TEST_F(Preview, ReloadTakesChangesAndKeepsTheLastGoodVersionThroughBrokenFiles) {
    const double card = 32.0; // the first title card over the scene
    const std::string script = Read("demo.xml"), blur = Read("shaders/blur.cg");
    Frame before = At(card);
    EXPECT_EQ("", Velorin::Preview::ReloadShow(data->Path().c_str()));
    EXPECT_TRUE(before == At(card)) << "reading the same files again draws the same picture";

    const struct {
        const char* file;
        std::string text;
        const char* message; // the start of the presentation's message
    } broken[] = {
        {"demo.xml", "<Demo><Effect Name=\"x\"><Nothing/></Effect></Demo>", "Failed to load effect 'x'"},
        {"demo.xml", script.substr(0, script.size() / 2), "The following asset could not be loaded: demo.xml"},
        {"shaders/blur.cg", blur + "\nfloat4 Broken(", ""},
    };
    for (const auto& row : broken) {
        SCOPED_TRACE(row.file);
        data->Write(row.file, row.text);
        std::string message = Velorin::Preview::ReloadShow(data->Path().c_str());
        EXPECT_FALSE(message.empty());
        EXPECT_EQ(0u, message.find(row.message)) << message;
        EXPECT_TRUE(before == At(card)) << "the last good version runs on";
    }
    data->Write("demo.xml", script);
    data->Write("shaders/blur.cg", blur);
    EXPECT_EQ("", Velorin::Preview::ReloadShow(data->Path().c_str())) << "repaired";
    EXPECT_TRUE(before == At(card));

    // A texture changed on disk shows after the reload: another image as the card's.
    fs::copy_file(*data / "textures/1.png", *data / "textures/1.saved", fs::copy_options::overwrite_existing);
    fs::copy_file(*data / "textures/scene_grid.png", *data / "textures/1.png", fs::copy_options::overwrite_existing);
    EXPECT_EQ("", Velorin::Preview::ReloadShow(data->Path().c_str()));
    EXPECT_FALSE(before == At(card));
    fs::copy_file(*data / "textures/1.saved", *data / "textures/1.png", fs::copy_options::overwrite_existing);
    EXPECT_EQ("", Velorin::Preview::ReloadShow(data->Path().c_str()));
    EXPECT_TRUE(before == At(card));
}

} // namespace
