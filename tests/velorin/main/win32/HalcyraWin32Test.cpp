// halcyra.exe of the distribution folder, started in a folder of the test's own making and
// driven from outside as a viewer would: the configuration dialog's lists, "Fullscreen" and
// "Transform", the show's window and what it draws, Escape, the error dialog and its "Close".

#include "gralith/graphics/DeviceFactory.h"
#include "velorin/dialogs/win32/Win32ErrorDialog.h"

#include "tests/support/OggEncoder.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/Win32Halcyra.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using namespace GralithTest;
using Velorin::Win32ErrorDialog;

// Red from 0 to 100 s.
const char* const redScript = R"(<Demo>
  <Effect Name="red"><ClearScreen><Color r="1" g="0" b="0" a="1"/></ClearScreen></Effect>
  <Stage><Block Start="0" Length="100" Effect="red"/></Stage>
</Demo>)";

// Whether the middle 64 x 64 pixels of the window's client area show pure red within seconds.
bool WaitForRed(HWND window, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        RECT box = ClientBox(window);
        int x = (box.left + box.right) / 2, y = (box.top + box.bottom) / 2;
        if (Match(Capture({x - 32, y - 32, x + 32, y + 32}), std::vector<uint32_t>(64 * 64, 0xFF0000), 2) == 1.0)
            return true;
        Sleep(100);
    }
    return false;
}

// The distribution's program copied into a fresh folder with data/ of the script and a short
// music (and Wine 10's Direct3D DLLs, where the build has them, as the show's Direct3D needs).
struct Folder : TempDirectory {
    explicit Folder(const char* script) {
        Write("data/demo.xml", script);
        Write("data/music/music.ogg", EncodeOgg(Sine(3 * 44100, 2, 220, 0.3f), 2, 44100, 0.1f));
        namespace fs = std::filesystem;
        fs::copy_file(HALCYRA_EXE, *this / "halcyra.exe");
        for (const char* dll : {"d3d9.dll", "wined3d.dll", "d3dx9_43.dll", "d3dcompiler_47.dll"})
            if (fs::exists(fs::path(WINE10_DLLS) / dll))
                fs::copy_file(fs::path(WINE10_DLLS) / dll, *this / dll);
    }
    std::wstring Windows() const { return std::filesystem::path(Path()).make_preferred().wstring(); }
};

TEST(HalcyraUnderWine, TransformShowsTheWindowedShowOnEachDriverAndEscapeEndsIt) {
    using Gralith::Graphics::GraphicsDriverDirect3D9;
    using Gralith::Graphics::GraphicsDriverOpenGL;
    // Wine's Direct3D on llvmpipe offers 4 samples per pixel but not 2, the dialog's default:
    // its runs take "Off" and "4 Samples".
    const struct {
        int driver, antiAliasingRow;
    } cases[] = {{GraphicsDriverOpenGL, -1}, {GraphicsDriverDirect3D9, 0}, {GraphicsDriverDirect3D9, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE("driver " + std::to_string(c.driver) + ", anti-aliasing row " + std::to_string(c.antiAliasingRow));
        Folder folder(redScript);
        HalcyraProcess halcyra(folder.Windows());
        ASSERT_TRUE(halcyra.Started());
        ASSERT_EQ("", ChooseWindowedShow(c.driver, c.antiAliasingRow));
        HWND show = WaitForTopWindow(HalcyraShowTitle, HalcyraShowTitle, 30);
        ASSERT_TRUE(show) << "no show window";
        RECT client = ClientBox(show);
        EXPECT_EQ(1024, client.right - client.left);
        EXPECT_EQ(768, client.bottom - client.top);
        EXPECT_TRUE(GetWindowLongW(show, GWL_STYLE) & WS_CAPTION) << "not windowed";
        // The music plays, so the block at 0..100 s is active and paints the window red.
        EXPECT_TRUE(WaitForRed(show, 15));
        // Direct3D is loaded at run time by its driver alone (after the window: red means the device
        // is there).
        EXPECT_EQ(c.driver == GraphicsDriverDirect3D9, halcyra.HasLoaded(L"d3d9.dll"));
        EXPECT_FALSE(FindWindowW(nullptr, L"BASS")) << "the music was refused";
        // The device may make the window again for its pixel format: take the one now shown.
        PressEscape(WaitForTopWindow(HalcyraShowTitle, HalcyraShowTitle, 5));
        EXPECT_EQ(0, halcyra.WaitForExit(15));
    }
}

TEST(HalcyraUnderWine, BrokenScriptShowsTheMessageAndCloseExitsOne) {
    Folder folder("<Demo><Effect Name=\"odd\"><Sparkle/></Effect></Demo>");
    HalcyraProcess halcyra(folder.Windows());
    ASSERT_TRUE(halcyra.Started());
    ASSERT_EQ("", ChooseWindowedShow(Gralith::Graphics::GraphicsDriverOpenGL, -1));
    HWND error = WaitForTopWindow(HalcyraDialogClass, L"Halcyra", 30);
    ASSERT_TRUE(error) << "no error dialog";
    EXPECT_EQ("Failed to load effect 'odd': Invalid effect class: Sparkle",
              TextOf(GetDlgItem(error, Win32ErrorDialog::DetailsId)));
    EXPECT_TRUE(FindWindowW(HalcyraShowTitle, HalcyraShowTitle)) << "the show's window stays open behind the dialog";
    EXPECT_EQ(-1, halcyra.WaitForExit(0));
    Click(GetDlgItem(error, Win32ErrorDialog::CloseButtonId));
    EXPECT_EQ(1, halcyra.WaitForExit(15));
}

} // namespace
