#include "gralith/graphics/gl/CGSemanticMap.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace Gralith::Graphics {

namespace {

// "<base><number>" with a "%i" number that uses up the rest of the name and lies in 0..limit-1.
bool ParseIndexed(const char* name, const char* base, int limit, int& index) {
    size_t length = std::strlen(base);
    if (std::strncmp(name, base, length) != 0)
        return false;
    const char* number = name + length;
    if (!std::isdigit(static_cast<unsigned char>(number[0])))
        return false;
    int value = 0;
    int consumed = 0;
    if (std::sscanf(number, "%i%n", &value, &consumed) != 1 || number[consumed] != '\0')
        return false;
    if (value < 0 || value >= limit)
        return false;
    index = value;
    return true;
}

} // namespace

CGSemanticMap::CGSemanticMap(const char* const* names) {
    if (!names)
        return;
    for (int slot = 0; slot < SlotLimit; ++slot) {
        if (!names[slot])
            continue;
        if (!Parse(names[slot], entries[slot]))
            throw Exception(Messages::UnsupportedSemantic, ErrorInvalidState);
    }
}

bool CGSemanticMap::Parse(const char* name, Entry& entry) {
    int index = 0;
    if (!name)
        return false;
    if (std::strcmp(name, "POSITION") == 0)
        entry = {KindPosition, 0};
    else if (std::strcmp(name, "NORMAL") == 0)
        entry = {KindNormal, 0};
    else if (std::strcmp(name, "COLOR") == 0)
        entry = {KindColor, 0};
    else if (std::strcmp(name, "TEXCOORD") == 0)
        entry = {KindTexCoord, 0};
    else if (ParseIndexed(name, "TEXCOORD", 8, index))
        entry = {KindTexCoord, index};
    else if (ParseIndexed(name, "ATTR", SlotLimit, index))
        entry = {KindGeneric, index};
    else
        return false;
    return true;
}

int CGSemanticMap::LocationOf(const Entry& entry) {
    switch (entry.kind) {
    case KindPosition: return 0;
    case KindNormal: return 2;
    case KindColor: return 3;
    case KindTexCoord: return 8 + entry.index;
    case KindGeneric: return entry.index;
    default: return -1;
    }
}

int CGSemanticMap::LocationOfInput(const char* semantic) {
    struct Alias {
        const char* name;
        int location;
    };
    static const Alias aliases[] = {
        {"POSITION0", 0}, {"BLENDWEIGHT", 1},  {"BLENDWEIGHT0", 1},  {"NORMAL0", 2},  {"COLOR0", 3},
        {"DIFFUSE", 3},   {"COLOR1", 4},       {"SPECULAR", 4},      {"FOG", 5},      {"FOGCOORD", 5},
        {"PSIZE", 6},     {"BLENDINDICES", 7}, {"BLENDINDICES0", 7}, {"TANGENT", 14}, {"TANGENT0", 14},
        {"BINORMAL", 15}, {"BINORMAL0", 15},
    };
    Entry entry;
    if (Parse(semantic, entry))
        return LocationOf(entry);
    for (const Alias& alias : aliases)
        if (semantic && std::strcmp(semantic, alias.name) == 0)
            return alias.location;
    return -1;
}

} // namespace Gralith::Graphics
