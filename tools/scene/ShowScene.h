#pragma once

#include "gralith/utils/scenegraph/FSGWriter.h"

namespace Halcyra::SceneTool {

/// The show's scene "halcyra2.fsg": a colonnade of pillars and arches inside radius 110 around
/// the origin, rotating rings and orbiting cubes around (0, 0, 50), and a far frame (monoliths,
/// a tilted ring, a floor grid) beyond radius 200. The camera flies on spheres of radius 120
/// and 180, so the shell between the two stays empty. z is up.
class ShowScene {
public:
    static constexpr float InnerRadius = 112.0f;
    static constexpr float OuterRadius = 200.0f;

    static Gralith::Utils::SceneGraph::FSGWriter::Scene Build();
};

} // namespace Halcyra::SceneTool
