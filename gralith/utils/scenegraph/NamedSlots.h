#pragma once

#include "gralith/utils/Map.h"
#include "gralith/utils/String.h"

#include <string>
#include <unordered_map>

namespace Gralith::Utils::SceneGraph {

/// Position of each name in a by-name table, so that replacing by name stays cheap however
/// many names a file lists.
using NameIndex = std::unordered_map<std::string, int>;

/// Stores value under name in a by-name table of counted objects (releasing what was there)
/// and, when name equals one of the known slot names exactly, in that slot too. The table holds
/// the reference given to it (one per call); the slots only mirror table entries.
template <class T>
void SetNamedSlot(Map<String, T*>& table, NameIndex& names, T** slots, const char* const* slotNames, int slotCount,
                  const String& name, T* value) {
    auto found = names.find(name.CStr());
    if (found == names.end()) {
        names.emplace(name.CStr(), table.AddGrowing(name, value));
    } else {
        const int index = found->second;
        T* previous = table.GetValue(index);
        table.GetValue(index) = value;
        if (previous)
            previous->Release();
    }
    for (int i = 0; i < slotCount; ++i)
        if (name == slotNames[i])
            slots[i] = value;
}

/// The table entry for name, or null.
template <class T>
T* FindNamed(const Map<String, T*>& table, const NameIndex& names, const String& name) {
    auto found = names.find(name.CStr());
    return found == names.end() ? nullptr : table.GetValue(found->second);
}

/// Releases every table entry.
template <class T>
void ReleaseNamed(Map<String, T*>& table) {
    for (T* value : table.Values())
        if (value)
            value->Release();
}

} // namespace Gralith::Utils::SceneGraph
