#pragma once

#include "gralith/utils/Array.h"

namespace Gralith::Utils {

/// An insertion-ordered association held as two parallel arrays. Lookup is a linear scan where
/// the first match wins; Add never looks for an existing key, so duplicates are possible.
template <class K, class V>
class Map : public Object {
public:
    int IndexOf(const K& key) const { return keys.IndexOf(key); }

    /// Appends the entry without looking for an existing key; returns its index.
    int Add(const K& key, const V& value) {
        keys.Add(key);
        return values.Add(value);
    }

    /// Add with the arrays' AddGrowing, for tables whose length a file decides.
    int AddGrowing(const K& key, const V& value) {
        keys.AddGrowing(key);
        return values.AddGrowing(value);
    }

    int Count() const { return keys.Count(); }
    K& GetKey(int index) { return keys[index]; }
    const K& GetKey(int index) const { return keys[index]; }
    V& GetValue(int index) { return values[index]; }
    const V& GetValue(int index) const { return values[index]; }
    Array<K>& Keys() { return keys; }
    Array<V>& Values() { return values; }
    const Array<K>& Keys() const { return keys; }
    const Array<V>& Values() const { return values; }

private:
    Array<K> keys;
    Array<V> values;
};

} // namespace Gralith::Utils
