#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/scenegraph/FGMWriter.h"
#include "gralith/utils/scenegraph/FSGWriter.h"

#include <string>
#include <vector>

// Small FGM blocks and FSG scenes built with the writers: the test inputs, and the seeds of the
// format fuzzers.
namespace FormatSamples {

using Gralith::Utils::SceneGraph::FGMWriter;
using Gralith::Utils::SceneGraph::FSGWriter;

/// A quad (4 vertices, 6 indices) with POSITION float x3 and the given extra streams.
FGMWriter::Block Quad(int version);
/// A version-101 block with one stream of every data type and remap, 16-bit indices.
FGMWriter::Block MixedTypes();
/// A scene of the given version with a geometry, a skin, a camera, two lights, a material and
/// a three-level node tree using every transformation and controller kind.
FSGWriter::Scene RichScene(int version);

std::vector<unsigned char> Bytes(const FGMWriter::Block& block);
std::vector<unsigned char> Bytes(const FSGWriter::Scene& scene);

} // namespace FormatSamples
