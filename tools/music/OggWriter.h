#pragma once

#include "Track.h"

#include <string>

namespace Halcyra::Music {

/// Encodes the mix as 44.1 kHz stereo Ogg Vorbis (VBR at `quality`, -0.1 .. 1). The stream
/// serial number is fixed so the same mix always gives the same bytes. Throws
/// std::runtime_error naming the path when the file cannot be written or the encoder refuses.
void WriteOgg(const std::string& path, const Track& mix, float quality);

/// Highest absolute sample of an Ogg Vorbis file as a decoder plays it back: lossy coding moves
/// peaks, so a ceiling only holds once checked after encoding. Throws std::runtime_error when
/// the file cannot be decoded.
float DecodedPeak(const std::string& path);

} // namespace Halcyra::Music
