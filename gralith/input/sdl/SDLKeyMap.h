#pragma once

#include <cstdint>

namespace Gralith::Input {

/// The engine key code (KeyCodes.h) of an SDL key, from its key symbol (SDL_Keycode) and scan
/// code (SDL_Scancode); 0 for keys the engine has no code for. Letters follow the keyboard
/// layout; the digit row falls back to its position for layouts whose digit keys carry other
/// symbols, as the Windows virtual keys do.
uint32_t TranslateSDLKey(int32_t symbol, int scancode);

/// The character event that Windows makes for a key SDL sends no text for (Escape 27,
/// Backspace 8, Tab 9, Enter 13); 0 for every other key.
uint32_t ControlCharacterOfSDLKey(int32_t symbol);

} // namespace Gralith::Input
