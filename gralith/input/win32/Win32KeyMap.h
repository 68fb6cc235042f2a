#pragma once

#include <cstdint>

namespace Gralith::Input {

/// The engine key code (KeyCodes.h) of a Windows virtual-key code. Keys without an engine code
/// keep their virtual-key code, so letters and digits are their upper-case characters.
uint32_t TranslateVirtualKey(uint32_t virtualKey);

} // namespace Gralith::Input
