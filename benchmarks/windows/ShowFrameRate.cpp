// Plays the show with halcyra.exe as a viewer would, for the frame rate under Wine: starts the
// program of FOLDER (which holds data/), chooses the driver and the anti-aliasing row in the
// configuration dialog, a window at the dialog's 1024 x 768, lets the show run until its own end
// or for SECONDS, then ends it with Escape. The frames are counted outside, by Mesa's HUD
// (scripts/wine-measurements.sh).
//
//   show_frame_rate FOLDER opengl|direct3d9 ANTI_ALIASING_ROW SECONDS

#include "tests/support/Win32Halcyra.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

int main(int argc, char** argv) {
    using namespace GralithTest;
    if (argc != 5) {
        std::fprintf(stderr, "usage: show_frame_rate FOLDER opengl|direct3d9 ANTI_ALIASING_ROW SECONDS\n");
        return 2;
    }
    int driver = std::strcmp(argv[2], "direct3d9") == 0 ? Gralith::Graphics::GraphicsDriverDirect3D9
                                                        : Gralith::Graphics::GraphicsDriverOpenGL;
    HalcyraProcess halcyra(std::filesystem::absolute(argv[1]).make_preferred().wstring());
    if (!halcyra.Started()) {
        std::fprintf(stderr, "halcyra.exe did not start in %s\n", argv[1]);
        return 1;
    }
    std::string problem = ChooseWindowedShow(driver, std::atoi(argv[3]));
    HWND show = problem.empty() ? WaitForTopWindow(HalcyraShowTitle, HalcyraShowTitle, 30) : nullptr;
    if (!show) {
        std::fprintf(stderr, "no show: %s\n", problem.empty() ? "its window did not appear" : problem.c_str());
        return 1;
    }
    DWORD start = GetTickCount();
    bool direct3D = false;
    // The show may end by itself (after 49 s of music).
    int code = -1;
    while (code < 0 && GetTickCount() - start < std::atof(argv[4]) * 1000) {
        direct3D = direct3D || halcyra.HasLoaded(L"d3d9.dll");
        code = halcyra.WaitForExit(1);
    }
    if (code < 0) {
        PressEscape(WaitForTopWindow(HalcyraShowTitle, HalcyraShowTitle, 5));
        code = halcyra.WaitForExit(15);
    }
    std::printf("played %.1f s, %s with Direct3D loaded: %s; exit code %d\n", (GetTickCount() - start) / 1000.0,
                argv[2], direct3D ? "yes" : "no", code);
    return code == 0 ? 0 : 1;
}
