#pragma once

#include "Canvas.h"

#include <string>

namespace Halcyra::Textures {

/// The show's pictures. Overlays are 16:10 (they are stretched over the window) with the text
/// kept inside the middle 70 % so that 4:3 and 16:9 windows do not crop or crowd it.
class Art {
public:
    /// fontDirectory holds the DejaVu faces ("DejaVuSans.ttf", "DejaVuSans-Bold.ttf").
    explicit Art(const std::string& fontDirectory) : fonts(fontDirectory) {}

    static constexpr int OverlayWidth = 2048;
    static constexpr int OverlayHeight = 1280;

    Canvas Shapes() const;
    Canvas Logo() const;
    Canvas LogoStreak() const;
    Canvas MakerLogo() const;
    Canvas BlueStreak() const;
    /// Title cards 1 to 5.
    Canvas Title(int number) const;
    Canvas White() const;
    Canvas ScenePanels() const;
    Canvas SceneGrid() const;
    Canvas SceneMetal() const;

private:
    std::string Font(const char* name) const { return fonts + "/" + name; }
    std::string fonts;
};

} // namespace Halcyra::Textures
