#pragma once

#include "gralith/utils/Map.h"
#include "gralith/utils/String.h"

namespace Gralith::Utils::SceneGraph {

/// Stores value under name in a by-name table of counted objects (releasing what was there)
/// and, when name equals one of the known slot names exactly, in that slot too. The table holds
/// the reference given to it (one per call); the slots only mirror table entries.
template <class T>
void SetNamedSlot(Map<String, T*>& table, T** slots, const char* const* slotNames, int slotCount, const String& name,
                  T* value)
{
    int index = table.IndexOf(name);
    if (index < 0) {
        table.Add(name, value);
    } else {
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
T* FindNamed(const Map<String, T*>& table, const String& name)
{
    int index = table.IndexOf(name);
    return index < 0 ? nullptr : table.GetValue(index);
}

/// Releases every table entry.
template <class T>
void ReleaseNamed(Map<String, T*>& table)
{
    for (T* value : table.Values())
        if (value)
            value->Release();
}

} // namespace Gralith::Utils::SceneGraph
