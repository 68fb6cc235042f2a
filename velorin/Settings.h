#pragma once

namespace Velorin {

/// The seven settings chosen in the configuration dialog. ShowConfigDialog writes them once,
/// before start-up; everything afterwards only reads them. Until then they hold the dialog's own
/// defaults, so a caller that skips the dialog (the offline renderer, tests) gets the same show.

/// 0 = Direct3D 9, 1 = OpenGL 2.0 (Gralith::Graphics::Drivers says which this build contains).
extern int GraphicsDriver;
/// Display size in pixels.
extern int ResolutionX;
extern int ResolutionY;
/// Anti-aliasing samples per pixel: 0 (off), 2, 4, 6 or 8.
extern int Multisamples;
/// Width-to-height ratio of the viewer's screen.
extern float Aspect;
extern bool Fullscreen;
extern bool PlayMusic;

} // namespace Velorin
