#pragma once

#include "gralith/graphics/Enums.h"
#include "gralith/graphics/SemanticMap.h"

namespace Gralith::Graphics {

/// A semantic map of the OpenGL + Cg backend: for each attribute slot an attribute kind and an
/// index. Names accepted (whole name): "POSITION", "NORMAL", "COLOR", "TEXCOORD" or "TEXCOORD%i"
/// (0-7), "ATTR%i" (0-15); anything else is refused.
class CGSemanticMap : public SemanticMap {
public:
    enum Kind { KindNone = -1, KindPosition = 0, KindNormal = 1, KindColor = 2, KindTexCoord = 3, KindGeneric = 4 };

    struct Entry {
        Kind kind = KindNone;
        /// Texture-coordinate set or generic attribute number.
        int index = 0;
    };

    /// names: SlotLimit semantic names, null for an empty slot (a null array maps nothing).
    /// Throws "The semantic is not supported by this backend (OpenGL+CG)" (ErrorInvalidState).
    explicit CGSemanticMap(const char* const* names);

    const Entry& GetEntry(int slot) const { return entries[slot]; }

    /// The parsed semantic; false when the name is not accepted.
    static bool Parse(const char* name, Entry& entry);
    /// The generic attribute location that carries a kind: position 0, normal 2, colour 3,
    /// texture coordinate n 8 + n, generic attribute n itself.
    static int LocationOf(const Entry& entry);
    /// The location for a vertex shader input semantic: the map's names plus the other names
    /// Cg binds to fixed attributes (BLENDWEIGHT 1, COLOR1/SPECULAR 4, FOG 5, PSIZE 6,
    /// BLENDINDICES 7, TANGENT 14, BINORMAL 15). -1 when the semantic has no fixed location.
    static int LocationOfInput(const char* semantic);

private:
    Entry entries[SlotLimit];
};

} // namespace Gralith::Graphics
