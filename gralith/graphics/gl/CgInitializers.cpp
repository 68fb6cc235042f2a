#include "gralith/graphics/gl/CgInitializers.h"

#include "gralith/utils/ParseFloat.h"

#include <cctype>

namespace Gralith::Graphics {

namespace {

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The source with comments blanked out (line breaks kept).
std::string WithoutComments(const char* source) {
    std::string text = source;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '/' && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n')
                text[i++] = ' ';
        } else if (text[i] == '/' && text[i + 1] == '*') {
            size_t end = text.find("*/", i + 2);
            end = end == std::string::npos ? text.size() : end + 2;
            for (; i < end; ++i)
                if (text[i] != '\n')
                    text[i] = ' ';
            --i;
        }
    }
    return text;
}

// File-scope statements: split at ';' and after each '}' that closes a top-level block.
std::vector<std::string> Statements(const std::string& text) {
    std::vector<std::string> statements;
    std::string current;
    int depth = 0;
    bool initializer = false; // inside "= { ... }"
    for (char c : text) {
        if (c == '{') {
            if (depth == 0) {
                size_t last = current.find_last_not_of(" \t\r\n");
                initializer = last != std::string::npos && current[last] == '=';
            }
            ++depth;
        }
        if (c == '}' && depth > 0)
            --depth;
        if (depth == 0 && (c == ';' || (c == '}' && !initializer))) {
            // A block (function body, structure) ends its statement; so does ';'.
            if (c == ';')
                statements.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    return statements;
}

class Reader {
public:
    explicit Reader(const std::string& text) : text(text) {}

    void SkipSpace() {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
    }
    size_t Position() const { return at; }
    void Rewind(size_t position) { at = position; }
    bool AtEnd() {
        SkipSpace();
        return at >= text.size();
    }
    std::string Name() {
        SkipSpace();
        size_t start = at;
        if (at < text.size() && IsNameStart(text[at]))
            while (at < text.size() && IsNamePart(text[at]))
                ++at;
        return text.substr(start, at - start);
    }
    bool Take(char c) {
        SkipSpace();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool Number(float& value) {
        SkipSpace();
        if (text.compare(at, 4, "true") == 0 && (at + 4 >= text.size() || !IsNamePart(text[at + 4]))) {
            at += 4;
            value = 1.0f;
            return true;
        }
        if (text.compare(at, 5, "false") == 0 && (at + 5 >= text.size() || !IsNamePart(text[at + 5]))) {
            at += 5;
            value = 0.0f;
            return true;
        }
        size_t length = Utils::ParseFloat(std::string_view(text).substr(at), value);
        if (length == 0)
            return false;
        at += length;
        // Cg literal suffixes: 1.0f, 0.5h, 2.0x.
        if (at < text.size() && (text[at] == 'f' || text[at] == 'F' || text[at] == 'h' || text[at] == 'x'))
            ++at;
        return at >= text.size() || !IsNamePart(text[at]);
    }

private:
    const std::string& text;
    size_t at = 0;
};

// "float", "half4", "int2", "bool" -> component count; 0 for any other type.
int Components(const std::string& type) {
    for (const char* base : {"float", "half", "fixed", "int", "bool"}) {
        std::string prefix = base;
        if (type.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string rest = type.substr(prefix.size());
        if (rest.empty())
            return 1;
        if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '4')
            return rest[0] - '0';
    }
    return 0;
}

// Literal values of an initialiser: n, type(n, ...), {n, ...}.
bool ReadValues(Reader& reader, std::vector<float>& values) {
    char close = 0;
    if (reader.Take('{')) {
        close = '}';
    } else {
        size_t start = reader.Position();
        std::string constructor = reader.Name();
        if (!constructor.empty() && constructor != "true" && constructor != "false") {
            if (Components(constructor) == 0 || !reader.Take('('))
                return false;
            close = ')';
        } else {
            reader.Rewind(start);
        }
    }
    do {
        float value = 0.0f;
        bool negative = reader.Take('-');
        if (!negative)
            reader.Take('+');
        if (!reader.Number(value))
            return false;
        values.push_back(negative ? -value : value);
    } while (close && reader.Take(','));
    return !close || reader.Take(close);
}

} // namespace

std::map<std::string, std::vector<float>> CgInitializers::Scan(const char* source) {
    std::map<std::string, std::vector<float>> found;
    if (!source)
        return found;
    for (const std::string& statement : Statements(WithoutComments(source))) {
        Reader reader(statement);
        std::string type = reader.Name();
        if (type == "uniform")
            type = reader.Name();
        int components = Components(type);
        std::string name = reader.Name();
        if (components == 0 || name.empty())
            continue;
        if (reader.Take(':')) // a semantic or register binding
            reader.Name();
        std::vector<float> values;
        if (!reader.Take('=') || !ReadValues(reader, values) || !reader.AtEnd())
            continue;
        // A single value fills every component, as in "float4 Tint = 1;".
        if (values.size() == 1)
            values.assign(static_cast<size_t>(components), values[0]);
        if (static_cast<int>(values.size()) == components)
            found[name] = values;
    }
    return found;
}

} // namespace Gralith::Graphics
