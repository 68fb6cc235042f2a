#pragma once

#include "gralith/utils/audio/OggDecoder.h"

namespace Gralith::Utils::Assets::Loaders {

/// The decoding stream the OggLoader hands out (type 14): the audio layer's Ogg Vorbis decoder
/// under the name the asset system gives it.
class OggStream : public Audio::OggDecoder {
public:
    using OggDecoder::OggDecoder;
};

} // namespace Gralith::Utils::Assets::Loaders
