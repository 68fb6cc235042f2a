#include "gralith/graphics/d3d9/D3D9SemanticMap.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/d3d9/D3D9Api.h"

#include <cstring>

namespace Gralith::Graphics {

namespace {

struct Base {
    const char* name;
    D3DDECLUSAGE usage;
    int limit; ///< usage indices 0 .. limit - 1
};

const Base Bases[] = {
    {"POSITION", D3DDECLUSAGE_POSITION, 2},
    {"NORMAL", D3DDECLUSAGE_NORMAL, 3},
    {"COLOR", D3DDECLUSAGE_COLOR, 2},
    {"TEXCOORD", D3DDECLUSAGE_TEXCOORD, 8},
    {"BLENDWEIGHT", D3DDECLUSAGE_BLENDWEIGHT, 1},
    {"TESSFACTOR", D3DDECLUSAGE_TESSFACTOR, 1},
    {"FOGCOORD", D3DDECLUSAGE_FOG, 1},
    {"PSIZE", D3DDECLUSAGE_PSIZE, 2},
    {"BLENDINDICES", D3DDECLUSAGE_BLENDINDICES, 1},
    {"TANGENT", D3DDECLUSAGE_TANGENT, 3},
    {"BINORMAL", D3DDECLUSAGE_BINORMAL, 3},
};

} // namespace

D3D9SemanticMap::D3D9SemanticMap(const char* const* names) {
    if (!names)
        return;
    for (int slot = 0; slot < SlotLimit; ++slot)
        if (names[slot] && !Parse(names[slot], entries[slot]))
            throw Exception(Messages::D3D9UnsupportedSemantic, ErrorUnsupported);
}

bool D3D9SemanticMap::Parse(const char* name, Entry& entry) {
    if (!name)
        return false;
    for (const Base& base : Bases) {
        size_t length = std::strlen(base.name);
        if (std::strncmp(name, base.name, length) != 0)
            continue;
        const char* digits = name + length;
        int index = 0;
        // Two digits at most: the largest index allowed is 7.
        for (int i = 0; digits[i]; ++i) {
            if (digits[i] < '0' || digits[i] > '9' || i == 2)
                return false;
            index = index * 10 + (digits[i] - '0');
        }
        if (index >= base.limit)
            return false;
        entry.usage = base.usage;
        entry.index = index;
        return true;
    }
    return false;
}

} // namespace Gralith::Graphics
