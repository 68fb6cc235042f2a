#pragma once

#include "Conversion.h"
#include "Options.h"

#include <string>
#include <vector>

struct aiScene;

namespace FsgConvert {

/// Every mesh of the scene as an FGM101 block (float POSITION, NORMAL, TEXCOORD0 and COLOR
/// where the mesh has them; 16-bit indices when every vertex can be reached with them). Answers
/// the geometry id of each mesh, empty where the mesh was left out (points only).
std::vector<std::string> ConvertMeshes(const aiScene& scene, const Options& options, Conversion& out);

} // namespace FsgConvert
