#pragma once

#include "Conversion.h"
#include "Options.h"

#include <string>
#include <vector>

struct aiScene;

namespace FsgConvert {

/// The materials that the converted meshes use, with their diffuse colour and diffuse texture.
/// Embedded textures become files beside the scene (PNG; JPEG data stays JPEG), textures in
/// files are copied there; the other texture kinds are left out. Answers the material id of
/// each material, empty where unused.
std::vector<std::string> ConvertMaterials(const aiScene& scene, const std::vector<bool>& used,
                                          const std::string& inputPath, const std::string& outputPath,
                                          const Options& options, Conversion& out);

} // namespace FsgConvert
