#include "Json.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace FsgConvert {

namespace {

// Deep enough for any glTF file; a hostile one cannot exhaust the stack.
constexpr int MaxDepth = 128;

class Parser {
public:
    explicit Parser(const std::string& text) : s(text) {}

    JsonValue Document() {
        JsonValue value = Value(0);
        Space();
        if (at != s.size())
            Fail("text after the document");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("JSON: " + what + " at byte " + std::to_string(at));
    }

    void Space() {
        while (at < s.size() && (s[at] == ' ' || s[at] == '\t' || s[at] == '\n' || s[at] == '\r'))
            ++at;
    }

    bool Take(char c) {
        Space();
        if (at < s.size() && s[at] == c) {
            ++at;
            return true;
        }
        return false;
    }

    void Expect(char c) {
        if (!Take(c))
            Fail(std::string("'") + c + "' expected");
    }

    bool Word(const char* word) {
        size_t n = std::char_traits<char>::length(word);
        if (s.compare(at, n, word) != 0)
            return false;
        at += n;
        return true;
    }

    JsonValue Value(int depth) {
        if (depth > MaxDepth)
            Fail("nesting too deep");
        Space();
        if (at >= s.size())
            Fail("unexpected end");
        JsonValue v;
        const char c = s[at];
        if (c == '{') {
            ++at;
            v.kind = JsonValue::Object;
            if (Take('}'))
                return v;
            do {
                Space();
                if (at >= s.size() || s[at] != '"')
                    Fail("member name expected");
                std::string key = Text();
                Expect(':');
                v.members.emplace_back(std::move(key), Value(depth + 1));
            } while (Take(','));
            Expect('}');
        } else if (c == '[') {
            ++at;
            v.kind = JsonValue::Array;
            if (Take(']'))
                return v;
            do
                v.items.push_back(Value(depth + 1));
            while (Take(','));
            Expect(']');
        } else if (c == '"') {
            v.kind = JsonValue::String;
            v.text = Text();
        } else if (Word("true") || Word("false")) {
            v.kind = JsonValue::Bool;
            v.boolean = s[at - 1] == 'e' && s[at - 2] == 'u';
        } else if (Word("null")) {
            v.kind = JsonValue::Null;
        } else {
            v.kind = JsonValue::Number;
            // from_chars reads no leading '+' and ignores the locale, as JSON wants.
            auto [end, error] = std::from_chars(s.data() + at, s.data() + s.size(), v.number);
            if (error != std::errc() || !std::isfinite(v.number))
                Fail("value expected");
            at = static_cast<size_t>(end - s.data());
        }
        return v;
    }

    unsigned Hex4() {
        if (at + 4 > s.size())
            Fail("unexpected end in \\u escape");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = s[at++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned>(c - 'A' + 10);
            else
                Fail("bad \\u escape");
        }
        return value;
    }

    static void Utf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::string Text() {
        ++at; // the opening quote
        std::string out;
        for (;;) {
            if (at >= s.size())
                Fail("unterminated string");
            const char c = s[at++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("control character in string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at >= s.size())
                Fail("unterminated string");
            const char e = s[at++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned code = Hex4();
                if (code >= 0xD800 && code < 0xDC00 && s.compare(at, 2, "\\u") == 0) {
                    at += 2;
                    unsigned low = Hex4();
                    if (low < 0xDC00 || low > 0xDFFF)
                        Fail("bad surrogate pair");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                Utf8(out, code);
                break;
            }
            default: Fail("bad escape");
            }
        }
    }

    const std::string& s;
    size_t at = 0;
};

} // namespace

const JsonValue* JsonValue::Find(const std::string& key) const {
    if (kind != Object)
        return nullptr;
    for (const auto& member : members)
        if (member.first == key)
            return &member.second;
    return nullptr;
}

double JsonValue::NumberOr(const std::string& key, double fallback) const {
    const JsonValue* v = Find(key);
    return v && v->kind == Number ? v->number : fallback;
}

std::string JsonValue::TextOr(const std::string& key, const std::string& fallback) const {
    const JsonValue* v = Find(key);
    return v && v->kind == String ? v->text : fallback;
}

int JsonValue::IndexOr(const std::string& key, int fallback) const {
    const JsonValue* v = Find(key);
    if (!v)
        return fallback;
    if (v->kind != Number || v->number < 0 || v->number > 2147483647.0 || v->number != std::floor(v->number))
        throw std::runtime_error("\"" + key + "\" is not an index");
    return static_cast<int>(v->number);
}

JsonValue ParseJson(const std::string& text) { return Parser(text).Document(); }

} // namespace FsgConvert
