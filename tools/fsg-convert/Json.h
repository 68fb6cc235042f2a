#pragma once

#include <string>
#include <utility>
#include <vector>

namespace FsgConvert {

/// A parsed JSON value: enough of a document tree to read glTF's own records (the importer
/// keeps neither interpolation kinds nor spline tangents, so the converter reads them itself).
struct JsonValue {
    enum Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;                           ///< Array elements
    std::vector<std::pair<std::string, JsonValue>> members; ///< Object members in file order

    /// The member named key of an object; null when this is no object or has no such member.
    const JsonValue* Find(const std::string& key) const;
    /// The number of member key, or fallback when it is missing or not a number.
    double NumberOr(const std::string& key, double fallback) const;
    /// The text of member key, or fallback when it is missing or not a string.
    std::string TextOr(const std::string& key, const std::string& fallback) const;
    /// A member that must be a non-negative integer: fallback when missing; throws otherwise.
    int IndexOr(const std::string& key, int fallback) const;
};

/// Parses a whole document; throws std::runtime_error naming the byte offset of the fault.
JsonValue ParseJson(const std::string& text);

} // namespace FsgConvert
