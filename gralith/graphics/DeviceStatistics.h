#pragma once

#include <cstdint>

namespace Gralith::Graphics {

/// Work that really reached the platform, counted by the device: state objects pushed at draw
/// time (identity-filtered), uploads, clears and draws.
struct DeviceStatistics {
    std::uint64_t BlendApplies = 0;
    std::uint64_t DepthStencilApplies = 0;
    std::uint64_t RasterizerApplies = 0;
    std::uint64_t InputLayoutApplies = 0;
    std::uint64_t ProgramApplies = 0;
    std::uint64_t BufferUploads = 0;
    std::uint64_t TextureUploads = 0;
    std::uint64_t Clears = 0;
    std::uint64_t Draws = 0;

    std::uint64_t StateApplies() const {
        return BlendApplies + DepthStencilApplies + RasterizerApplies + InputLayoutApplies + ProgramApplies;
    }
};

} // namespace Gralith::Graphics
