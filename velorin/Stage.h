#pragma once

#include "gralith/utils/Array.h"
#include "velorin/Block.h"

namespace Velorin {

/// The blocks of one Stage element, in script order. Later stages draw over earlier ones.
using Stage = Gralith::Utils::Array<Block>;

} // namespace Velorin
