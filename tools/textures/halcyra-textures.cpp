// halcyra-textures OUTPUT_DIR [FONT_DIR]: draws the show's textures into OUTPUT_DIR
// (data/textures of the build tree). Exit status 0 on success, 1 on failure, 2 on usage.
#include "Art.h"
#include "PngFile.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#ifndef HALCYRA_FONT_DIR
#define HALCYRA_FONT_DIR "/usr/share/fonts/truetype/dejavu"
#endif

using namespace Halcyra::Textures;

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: halcyra-textures OUTPUT_DIR [FONT_DIR]\n");
        return 2;
    }
    const std::string out = argv[1];
    const Art art(argc == 3 ? argv[2] : HALCYRA_FONT_DIR);
    const std::vector<std::pair<const char*, std::function<Canvas()>>> jobs = {
        {"shapes.png", [&] { return art.Shapes(); }},
        {"logo.png", [&] { return art.Logo(); }},
        {"logo_strek.png", [&] { return art.LogoStreak(); }},
        {"varrow.png", [&] { return art.MakerLogo(); }},
        {"strek_blaa.png", [&] { return art.BlueStreak(); }},
        {"1.png", [&] { return art.Title(1); }},
        {"2.png", [&] { return art.Title(2); }},
        {"3.png", [&] { return art.Title(3); }},
        {"4.png", [&] { return art.Title(4); }},
        {"5.png", [&] { return art.Title(5); }},
        {"white.png", [&] { return art.White(); }},
        {"scene_panels.png", [&] { return art.ScenePanels(); }},
        {"scene_grid.png", [&] { return art.SceneGrid(); }},
        {"scene_metal.png", [&] { return art.SceneMetal(); }},
    };
    try {
        const auto start = std::chrono::steady_clock::now();
        for (const auto& [name, draw] : jobs) {
            const Canvas canvas = draw();
            WritePng(out + "/" + name, canvas.width, canvas.height, canvas.ToBytes());
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("halcyra-textures: %zu images in %.2f s\n", jobs.size(), seconds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "halcyra-textures: %s\n", e.what());
        return 1;
    }
    return 0;
}
