#pragma once

#include "Conversion.h"
#include "GltfFile.h"
#include "Options.h"

#include <string>

struct aiScene;

namespace FsgConvert {

/// Turns an imported scene into the engine's records: the node tree with its transformations
/// and the first animation, meshes, materials, cameras and lights. gltf (null for other formats)
/// supplies what the importer drops: interpolation kinds, spline tangents, fields of view.
/// Throws std::runtime_error when the scene cannot be converted at all.
Conversion ConvertScene(const aiScene& scene, const GltfFile* gltf, const Options& options);

} // namespace FsgConvert
