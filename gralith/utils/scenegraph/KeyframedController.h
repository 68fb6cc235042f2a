#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/scenegraph/Controller.h"

namespace Gralith::Utils::SceneGraph {

/// A channel of keys ascending by time. Before the first key it answers the first value, after
/// the last key the last value; in between the subclass interpolates the enclosing segment.
///
/// The segment index (cursor) survives between calls and walks from where it stopped, so
/// playback that moves forward in small steps costs one comparison per call, and seeking
/// backwards still lands on the right segment.
template <class K>
class KeyframedController : public Controller {
public:
    /// Appends a key; keys are expected in ascending time order.
    void AddKey(const K& key) { keys.AddGrowing(key); }

    const Array<K>& GetKeys() const { return keys; }
    int GetCursor() const { return cursor; }

    float Evaluate(float time) override {
        const int count = keys.Count();
        if (count == 0)
            return 0.0f;
        if (time <= keys[0].time)
            return keys[0].value;
        if (time >= keys[count - 1].time)
            return keys[count - 1].value;
        // Here keys[0].time < time < keys[count - 1].time, so neither walk can leave the array.
        if (cursor > count - 2)
            cursor = count - 2;
        while (cursor > 0 && keys[cursor].time > time)
            --cursor;
        while (cursor < count - 2 && keys[cursor + 1].time < time)
            ++cursor;
        const K& a = keys[cursor];
        const K& b = keys[cursor + 1];
        // The walks stop only where a.time <= time <= b.time with one of them strict, so the
        // segment never has zero length.
        return Interpolate(a, b, (time - a.time) / (b.time - a.time));
    }

protected:
    virtual float Interpolate(const K& a, const K& b, float s) = 0;

private:
    int cursor = 0;
    Array<K> keys;
};

} // namespace Gralith::Utils::SceneGraph
