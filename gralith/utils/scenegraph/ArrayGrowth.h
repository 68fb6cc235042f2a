#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/Map.h"

namespace Gralith::Utils::SceneGraph {

/// Appends to an array whose length comes from a file. The array itself grows in fixed steps
/// of 10, which makes n additions cost O(n^2) copies; doubling keeps a large (or hostile)
/// scene file linear. value is taken by copy, as it may live in the array's old storage.
template <class T>
int AddGrowing(Array<T>& array, T value) {
    if (array.Count() == array.Capacity())
        array.Reserve(array.Capacity() * 2 + 8);
    return array.Add(value);
}

template <class K, class V>
int AddGrowing(Map<K, V>& map, K key, V value) {
    if (map.Count() == map.Keys().Capacity() || map.Count() == map.Values().Capacity()) {
        map.Keys().Reserve(map.Count() * 2 + 8);
        map.Values().Reserve(map.Count() * 2 + 8);
    }
    return map.Add(key, value);
}

} // namespace Gralith::Utils::SceneGraph
