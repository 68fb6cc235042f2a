#pragma once

#include "gralith/graphics/Enums.h"
#include "gralith/graphics/SemanticMap.h"

namespace Gralith::Graphics {

/// A semantic map of the Direct3D 9 backend: for each attribute slot a declaration usage and a
/// usage index. A name is a base name alone (index 0) or followed by a decimal index below the
/// base's limit: POSITION 2, NORMAL 3, COLOR 2, TEXCOORD 8, BLENDWEIGHT 1, TESSFACTOR 1,
/// FOGCOORD 1, PSIZE 2, BLENDINDICES 1, TANGENT 3, BINORMAL 3.
class D3D9SemanticMap : public SemanticMap {
public:
    struct Entry {
        int usage = -1; ///< a D3DDECLUSAGE, -1 for an empty slot
        int index = 0;
    };

    /// names: SlotLimit names, null for an empty slot (a null array maps nothing). Throws
    /// "Unsupported semantic for this backend (Direct3D9)" (ErrorUnsupported).
    explicit D3D9SemanticMap(const char* const* names);

    const Entry& GetEntry(int slot) const { return entries[slot]; }

    /// The parsed semantic; false when the name is not accepted.
    static bool Parse(const char* name, Entry& entry);

private:
    Entry entries[SlotLimit];
};

} // namespace Gralith::Graphics
