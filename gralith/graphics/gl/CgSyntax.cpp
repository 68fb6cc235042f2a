#include "gralith/graphics/gl/CgSyntax.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <vector>

namespace Gralith::Graphics {

namespace {

// Bad: what the front end would read differently or not at all (a malformed number, a character
// outside the language), refused wherever it stands.
enum class Kind { Name, Number, Punct, Bad, End };

struct Token {
    Kind kind;
    std::string text;
    int line;
};

bool IsNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The end of the number starting at text[i], read as the front end's scanner reads it, or npos
// when the text there is not one number.
size_t NumberEnd(const std::string& text, size_t i) {
    auto at = [&](size_t k) { return k < text.size() ? text[k] : '\0'; };
    if (at(i) == '0' && (at(i + 1) == 'x' || at(i + 1) == 'X')) {
        i += 2;
        size_t digits = i;
        while (std::isxdigit(static_cast<unsigned char>(at(i))))
            ++i;
        if (i == digits)
            return std::string::npos;
    } else {
        while (IsDigit(at(i)))
            ++i;
        if (at(i) == '.') {
            ++i;
            while (IsDigit(at(i)))
                ++i;
        }
        if (at(i) == 'e' || at(i) == 'E') {
            ++i;
            if (at(i) == '+' || at(i) == '-')
                ++i;
            if (!IsDigit(at(i)))
                return std::string::npos;
            while (IsDigit(at(i)))
                ++i;
        }
    }
    if (at(i) != '\0' && std::strchr("fFhHlLuU", at(i)))
        ++i;
    if (IsNamePart(at(i)) || at(i) == '.')
        return std::string::npos;
    return i;
}

std::vector<Token> Tokenise(const std::string& text) {
    static const char* const operators[] = {"<<=", ">>=", "<<", ">>", "<=", ">=", "==", "!=", "&&", "||",
                                            "++",  "--",  "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^="};
    std::vector<Token> tokens;
    int line = 1;
    bool lineStart = true;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\n') {
            ++line;
            lineStart = true;
            ++i;
            continue;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (c == '#' && lineStart) {
            size_t end = text.find('\n', i);
            if (end == std::string::npos)
                end = text.size();
            std::string directive = text.substr(i + 1, end - i - 1);
            size_t word = directive.find_first_not_of(" \t");
            if (word != std::string::npos && directive.compare(word, 4, "line") == 0) {
                const char* number = directive.c_str() + word + 4;
                char* after = nullptr;
                long value = std::strtol(number, &after, 10);
                // The directive numbers the line after it; its own line break counts one more.
                if (after != number && value >= 0 && value < 1000000000)
                    line = static_cast<int>(value) - 1;
            }
            i = end;
            continue;
        }
        lineStart = false;
        Token token{Kind::Punct, "", line};
        size_t start = i;
        if (IsNameStart(c)) {
            while (i < text.size() && IsNamePart(text[i]))
                ++i;
            token.kind = Kind::Name;
        } else if (IsDigit(c) || (c == '.' && i + 1 < text.size() && IsDigit(text[i + 1]))) {
            size_t end = NumberEnd(text, i);
            if (end == std::string::npos) {
                token.kind = Kind::Bad;
                while (i < text.size() && (IsNamePart(text[i]) || text[i] == '.'))
                    ++i;
            } else {
                token.kind = Kind::Number;
                i = end;
            }
        } else {
            size_t length = 0;
            for (const char* op : operators) {
                size_t n = std::strlen(op);
                if (text.compare(i, n, op) == 0) {
                    length = n;
                    break;
                }
            }
            if (length == 0) {
                length = 1;
                if (!std::strchr("()[]{};,.:?+-*/%<>=!~&|^", c))
                    token.kind = Kind::Bad;
            }
            i += length;
        }
        token.text = text.substr(start, i - start);
        tokens.push_back(token);
    }
    tokens.push_back({Kind::End, "", 0});
    return tokens;
}

struct Refusal {
    size_t token;
    std::string text;
};

bool IsOneOf(const std::string& word, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (word == w)
            return true;
    return false;
}

// A numeric type name of the front end ("float", "half3", "int4x4", "min16float2"): its scalar
// part, its component count, and whether a vector size or a matrix dimension is 1.
bool IsNumericType(const std::string& name, std::string& scalar, int& components, bool& degenerate) {
    for (const char* base : {"float", "half", "int", "uint", "bool", "double", "dword", "min16float", "min10float",
                             "min16int", "min12int", "min16uint"}) {
        size_t n = std::strlen(base);
        if (name.compare(0, n, base) != 0)
            continue;
        std::string rest = name.substr(n);
        auto size = [](char c) { return c >= '1' && c <= '4'; };
        if (rest.empty() || (rest.size() == 1 && size(rest[0])) ||
            (rest.size() == 3 && size(rest[0]) && rest[1] == 'x' && size(rest[2]))) {
            scalar = base;
            components = rest.empty() ? 1 : (rest[0] - '0') * (rest.size() == 3 ? rest[2] - '0' : 1);
            degenerate = rest.find('1') != std::string::npos;
            return true;
        }
    }
    return false;
}

// The types a Cg program declares with: scalars, vectors and matrices of the Cg scalar types,
// samplers and void. Answers the component count of the type (0 for void), or -1 for any other
// name.
int BuiltInComponents(const std::string& name) {
    if (name == "void")
        return 0;
    if (IsOneOf(name, {"sampler", "sampler1D", "sampler2D", "sampler3D", "samplerCUBE"}))
        return 1;
    std::string scalar;
    int components = 0;
    bool degenerate = false;
    if (IsNumericType(name, scalar, components, degenerate) && !degenerate &&
        IsOneOf(scalar, {"float", "half", "int", "uint", "bool", "double"}))
        return components;
    return -1;
}

// Words of the front end's HLSL, or reserved by it, that are not part of Cg. None may appear
// anywhere: a constructor of a type with a dimension of 1, say, crashes mul().
const char* const ForeignWords =
    "unorm snorm precise shared groupshared linear centroid nointerpolation noperspective sample packoffset layout "
    "globallycoherent point line triangle lineadj triangleadj PointStream LineStream TriangleStream InputPatch "
    "OutputPatch Buffer vector matrix string uint64_t sampler_state SamplerState SamplerComparisonState texture "
    "Texture1D Texture1DArray Texture2D Texture2DArray Texture3D TextureCube TextureCubeArray Texture2DMS "
    "Texture2DMSArray RWTexture1D RWTexture1DArray RWTexture2D RWTexture2DArray RWTexture3D RWBuffer SubpassInput "
    "SubpassInputMS AppendStructuredBuffer ByteAddressBuffer ConsumeStructuredBuffer RWByteAddressBuffer "
    "RWStructuredBuffer StructuredBuffer TextureBuffer class cbuffer ConstantBuffer tbuffer this namespace auto "
    "catch char const_cast enum explicit friend goto long mutable new operator private protected public "
    "reinterpret_cast short signed sizeof static_cast template throw try typename union unsigned using virtual "
    "interface technique pass compile asm";

bool IsForeignWord(const std::string& word) {
    static const std::set<std::string> words = [] {
        std::set<std::string> set;
        std::istringstream list(ForeignWords);
        for (std::string w; list >> w;)
            set.insert(w);
        return set;
    }();
    std::string scalar;
    int components = 0;
    bool degenerate = false;
    if (IsNumericType(word, scalar, components, degenerate))
        return BuiltInComponents(word) < 0;
    return words.count(word) != 0;
}

// Words that are never a name: statement keywords and qualifiers.
bool IsKeyword(const std::string& word) {
    return IsOneOf(word, {"if",           "else",   "for",     "while",    "do",       "switch", "case",
                          "default",      "return", "break",   "continue", "discard",  "struct", "typedef",
                          "const",        "static", "uniform", "extern",   "volatile", "inline", "row_major",
                          "column_major", "in",     "out",     "inout",    "register"});
}

bool IsQualifier(const std::string& word) {
    return IsOneOf(word, {"const", "static", "uniform", "extern", "volatile", "inline", "row_major", "column_major",
                          "in", "out", "inout"});
}

// Folded array sizes stop growing here; anything this large is refused anyway.
const int64_t Huge = int64_t(1) << 40;

int64_t Clamp(int64_t value) { return value > Huge ? Huge : value < -Huge ? -Huge : value; }

// The product of two clamped values, clamped.
int64_t Multiply(int64_t a, int64_t b) {
    long double product = static_cast<long double>(a) * static_cast<long double>(b);
    return product > Huge ? Huge : product < -Huge ? -Huge : a * b;
}

class Parser {
public:
    Parser(const std::vector<Token>& tokens, const std::string& entryPoint) : tokens(tokens), entryPoint(entryPoint) {}

    void TranslationUnit() {
        for (size_t i = 0; i < tokens.size(); ++i)
            if (tokens[i].kind == Kind::Name && IsForeignWord(tokens[i].text))
                throw Refusal{i, "not supported"};
        while (Peek().kind != Kind::End) {
            if (!Take(";"))
                FileScopeDeclaration();
        }
        for (size_t at : entryUniforms)
            if (variables.count(tokens[at].text))
                throw Refusal{at, "redefinition"};
    }

private:
    enum Scope { FileScope, LocalScope, MemberScope, ParameterScope };

    struct Depth {
        explicit Depth(Parser& parser) : parser(parser) {
            if (++parser.depth > CgSyntax::MaxDepth)
                parser.Refuse("nesting too deep");
        }
        ~Depth() { --parser.depth; }
        Parser& parser;
    };

    // The variables declared in a block, its enclosing blocks and the parameters.
    struct Nested {
        explicit Nested(Parser& parser) : parser(parser) { parser.scopes.emplace_back(); }
        ~Nested() { parser.scopes.pop_back(); }
        Parser& parser;
    };

    bool IsVariable(const std::string& name) const {
        for (const std::set<std::string>& scope : scopes)
            if (scope.count(name))
                return true;
        return false;
    }

    const Token& Peek(size_t ahead = 0) const {
        return at + ahead < tokens.size() ? tokens[at + ahead] : tokens.back();
    }
    bool Is(const char* text, size_t ahead = 0) const {
        const Token& token = Peek(ahead);
        return (token.kind == Kind::Punct || token.kind == Kind::Name) && token.text == text;
    }
    bool Take(const char* text) {
        if (!Is(text))
            return false;
        ++at;
        return true;
    }
    [[noreturn]] void Refuse(const std::string& text) const {
        throw Refusal{at, Peek().kind == Kind::End ? "unexpected end of text" : text};
    }
    void Expect(const char* text) {
        if (!Take(text))
            Refuse("syntax error");
    }
    bool IsName(size_t ahead = 0) const {
        const Token& token = Peek(ahead);
        return token.kind == Kind::Name && !IsKeyword(token.text);
    }
    bool IsType(size_t ahead = 0) const {
        return IsName(ahead) && (BuiltInComponents(Peek(ahead).text) >= 0 || types.count(Peek(ahead).text));
    }
    std::string Name() {
        if (!IsName())
            Refuse("syntax error");
        return tokens[at++].text;
    }

    // The front end builds every element of a constant or zero-initialised array, and of each
    // structure cast, one by one: its time and memory follow the declared sizes, not the text.
    void Spend(int64_t components, size_t token) {
        spent = Clamp(spent + components);
        if (spent > CgSyntax::MaxComponents)
            throw Refusal{token, "too large"};
    }

    // Qualifiers valid in the scope; in, out and inout only qualify parameters. Answers whether
    // const was among them.
    bool Qualifiers(Scope scope) {
        bool constant = false;
        while (Peek().kind == Kind::Name && IsQualifier(Peek().text)) {
            const std::string& word = Peek().text;
            bool parameter = IsOneOf(word, {"in", "out", "inout", "uniform", "const"});
            bool matrix = IsOneOf(word, {"row_major", "column_major"});
            bool valid = scope == FileScope     ? !IsOneOf(word, {"in", "out", "inout"})
                         : scope == LocalScope  ? word == "const" || matrix
                         : scope == MemberScope ? matrix
                                                : parameter || matrix;
            if (!valid)
                Refuse(IsOneOf(word, {"in", "out", "inout"}) ? "in, out and inout qualify parameters only"
                                                             : "qualifier not valid here");
            constant = constant || word == "const";
            ++at;
        }
        return constant;
    }

    struct TypeInfo {
        bool structure = false;
        std::string name;
        int64_t components = 0;
    };

    // A type name or a structure definition.
    TypeInfo Type(Scope scope) {
        TypeInfo type;
        if (Is("struct")) {
            if (scope != FileScope && scope != LocalScope)
                Refuse("syntax error");
            type.structure = true;
            type.components = Structure(scope);
            return type;
        }
        if (!IsType()) {
            if (Peek().kind == Kind::Name && !IsKeyword(Peek().text))
                Refuse("unknown type");
            Refuse("syntax error");
        }
        type.name = tokens[at++].text;
        int builtIn = BuiltInComponents(type.name);
        type.components = builtIn >= 0 ? builtIn : types[type.name];
        return type;
    }

    // Answers the component count of the structure.
    int64_t Structure(Scope scope) {
        Depth depth(*this);
        Expect("struct");
        size_t name = 0;
        if (IsName()) {
            name = at++;
            if (scope == FileScope)
                Declare(name);
            if (!Is("{"))
                Refuse("structure body expected");
        }
        Expect("{");
        int64_t components = 0;
        while (!Take("}")) {
            Qualifiers(MemberScope);
            TypeInfo type = Type(MemberScope);
            do {
                size_t member = at;
                Name();
                int64_t elements = 1;
                if (Arrays(elements))
                    throw Refusal{at - 1, "array size expected"};
                components = Clamp(components + Multiply(type.components, elements));
                if (components > CgSyntax::MaxComponents)
                    throw Refusal{member, "too large"};
                Semantics();
            } while (Take(","));
            Expect(";");
        }
        if (name)
            types[tokens[name].text] = components;
        return components;
    }

    // A file-scope name may be declared once: the front end keeps file-scope variables as members
    // of one block and does not survive a second member of the same name.
    void Declare(size_t name) {
        const std::string& text = tokens[name].text;
        if (!variables.insert(text).second)
            throw Refusal{name, "redefinition"};
    }

    // Array dimensions, their element count multiplied into elements; answers whether one of
    // them was left for an initialiser to give.
    bool Arrays(int64_t& elements) {
        bool unsized = false;
        while (Take("[")) {
            if (Take("]")) {
                unsized = true;
                continue;
            }
            size_t start = at;
            Expression();
            size_t end = at;
            Expect("]");
            int64_t size = 0;
            if (!Fold(start, end, size))
                throw Refusal{start, "array size must be a constant integer"};
            elements = Multiply(elements, size < 0 ? 0 : size);
        }
        return unsized;
    }

    // ": SEMANTIC", ": register(c0)", as many as written.
    void Semantics() {
        while (Take(":")) {
            if (Take("register")) {
                Expect("(");
                Name();
                while (Take(","))
                    Name();
                Expect(")");
            } else {
                Name();
            }
        }
        if (Is("<"))
            Refuse("annotations are not supported");
    }

    void Initializer() {
        Depth depth(*this);
        if (!Take("{")) {
            Assignment();
            return;
        }
        if (Take("}"))
            Refuse("empty initializer");
        do {
            if (Is("}"))
                break;
            Initializer();
        } while (Take(","));
        Expect("}");
    }

    void Declarators(Scope scope, bool typedefs, bool constant, const TypeInfo& type) {
        do {
            size_t name = at;
            Name();
            if (scope == FileScope)
                Declare(name);
            int64_t elements = 1;
            bool unsized = Arrays(elements);
            int64_t components = Multiply(type.components, elements);
            if (typedefs)
                types[tokens[name].text] = components;
            else
                Spend(components, name);
            Semantics();
            size_t start = at;
            if (!typedefs && Take("=")) {
                start = at;
                Initializer();
            } else if (unsized) {
                Refuse("array size expected");
            }
            // Integer constants can size arrays.
            int64_t value = 0;
            if (constant && elements == 1 && IsOneOf(type.name, {"int", "uint"}) && start < at &&
                Fold(start, at, value))
                constants[tokens[name].text] = value;
            if (!typedefs)
                scopes.back().insert(tokens[name].text);
        } while (Take(","));
        Expect(";");
    }

    void FileScopeDeclaration() {
        if (Take("typedef")) {
            bool constant = Qualifiers(FileScope);
            TypeInfo type = Type(FileScope);
            Declarators(FileScope, true, constant, type);
            return;
        }
        bool constant = Qualifiers(FileScope);
        TypeInfo type = Type(FileScope);
        if (type.structure && Take(";"))
            return;
        if (!type.structure && IsName() && Is("(", 1)) {
            Function();
            return;
        }
        Declarators(FileScope, false, constant, type);
    }

    void Function() {
        bool entry = Peek().text == entryPoint;
        ++at;
        Expect("(");
        std::vector<size_t> unnamed;
        std::set<std::string> names;
        std::vector<size_t> uniforms;
        if (Is("void") && Is(")", 1))
            ++at;
        if (!Is(")")) {
            do {
                size_t start = at;
                Qualifiers(ParameterScope);
                bool uniform = false;
                for (size_t q = start; q < at; ++q)
                    uniform = uniform || tokens[q].text == "uniform";
                TypeInfo type = Type(ParameterScope);
                size_t name = at;
                if (IsName()) {
                    if (!names.insert(Peek().text).second)
                        Refuse("redefinition");
                    if (uniform)
                        uniforms.push_back(at);
                    ++at;
                } else {
                    unnamed.push_back(at);
                }
                int64_t elements = 1;
                if (Arrays(elements))
                    throw Refusal{at - 1, "array size expected"};
                Spend(Multiply(type.components, elements), name);
                Semantics();
                if (Take("="))
                    Assignment();
            } while (Take(","));
        }
        Expect(")");
        Semantics();
        if (Take(";"))
            return;
        if (!Is("{"))
            Refuse("syntax error");
        // The front end makes the entry point's parameters into shader inputs and outputs and its
        // uniform parameters into file-scope uniforms; it cannot do that for an unnamed one.
        if (entry) {
            if (!unnamed.empty())
                throw Refusal{unnamed.front(), "entry point parameter without a name"};
            entryUniforms.insert(entryUniforms.end(), uniforms.begin(), uniforms.end());
            for (size_t u : uniforms)
                if (!entryUniformNames.insert(tokens[u].text).second)
                    throw Refusal{u, "redefinition"};
        }
        Nested parameters(*this);
        scopes.back() = names;
        Block(false);
    }

    void Block(bool inSwitch) {
        Depth depth(*this);
        Nested scope(*this);
        Expect("{");
        while (!Take("}")) {
            if (inSwitch && (Is("case") || Is("default"))) {
                if (Take("case"))
                    Conditional();
                else
                    ++at;
                Expect(":");
                continue;
            }
            Statement();
        }
    }

    bool StartsDeclaration() const {
        if (Peek().kind != Kind::Name)
            return false;
        const std::string& word = Peek().text;
        if (IsQualifier(word) || word == "struct" || word == "typedef")
            return true;
        return IsName() && IsName(1);
    }

    void LocalDeclaration() {
        bool typedefs = Take("typedef");
        bool constant = Qualifiers(LocalScope);
        TypeInfo type = Type(LocalScope);
        if (type.structure && !typedefs && Take(";"))
            return;
        Declarators(LocalScope, typedefs, constant, type);
    }

    void Statement() {
        Depth depth(*this);
        if (Is("{")) {
            Block(false);
        } else if (Take(";")) {
        } else if (Take("if")) {
            Condition();
            Statement();
            if (Take("else"))
                Statement();
        } else if (Take("while")) {
            Condition();
            Statement();
        } else if (Take("do")) {
            Statement();
            Expect("while");
            Condition();
            Expect(";");
        } else if (Take("for")) {
            Nested scope(*this);
            Expect("(");
            if (StartsDeclaration())
                LocalDeclaration();
            else if (!Take(";")) {
                Expression();
                Expect(";");
            }
            if (!Take(";")) {
                Expression();
                Expect(";");
            }
            if (!Take(")")) {
                Expression();
                Expect(")");
            }
            Statement();
        } else if (Take("switch")) {
            Condition();
            Block(true);
        } else if (Take("return")) {
            if (!Take(";")) {
                Expression();
                Expect(";");
            }
        } else if (Take("break") || Take("continue") || Take("discard")) {
            Expect(";");
        } else if (StartsDeclaration()) {
            if (Peek().kind == Kind::Name && !IsQualifier(Peek().text) && !IsType() && Peek().text != "struct" &&
                Peek().text != "typedef")
                Refuse("unknown type");
            LocalDeclaration();
        } else {
            Expression();
            Expect(";");
        }
    }

    void Condition() {
        Expect("(");
        Expression();
        Expect(")");
    }

    // The expression functions answer whether what they read can be assigned to: a name with its
    // members and elements. The front end crashes when ++ or -- is applied to anything else.
    bool Expression() {
        bool lvalue = Assignment();
        while (Take(",")) {
            Assignment();
            lvalue = false;
        }
        return lvalue;
    }

    bool Assignment() {
        Depth depth(*this);
        size_t start = at;
        bool lvalue = Conditional();
        for (const char* op : {"=", "+=", "-=", "*=", "/=", "%=", "<<=", ">>=", "&=", "|=", "^="}) {
            if (Is(op)) {
                if (!lvalue)
                    throw Refusal{start, "l-value required"};
                ++at;
                Assignment();
                return false;
            }
        }
        return lvalue;
    }

    bool Conditional() {
        bool lvalue = Binary();
        if (Take("?")) {
            Depth depth(*this);
            Expression();
            Expect(":");
            Assignment();
            return false;
        }
        return lvalue;
    }

    bool Binary() {
        bool lvalue = Unary();
        while (Peek().kind == Kind::Punct && IsOneOf(Peek().text, {"+", "-", "*", "/", "%", "<<", ">>", "<", ">", "<=",
                                                                   ">=", "==", "!=", "&", "|", "^", "&&", "||"})) {
            ++at;
            Unary();
            lvalue = false;
        }
        return lvalue;
    }

    bool Unary() {
        Depth depth(*this);
        if (Is("++") || Is("--")) {
            size_t op = at++;
            if (!Unary())
                throw Refusal{op, "l-value required"};
            return false;
        }
        if (Peek().kind == Kind::Punct && IsOneOf(Peek().text, {"+", "-", "!", "~"})) {
            ++at;
            Unary();
            return false;
        }
        // A cast: "(float3)v".
        if (Is("(") && IsType(1) && Is(")", 2)) {
            int builtIn = BuiltInComponents(Peek(1).text);
            Spend(builtIn >= 0 ? builtIn : types[Peek(1).text], at + 1);
            at += 3;
            Unary();
            return false;
        }
        return Postfix();
    }

    bool Postfix() {
        bool lvalue = Primary();
        for (;;) {
            if (Take("[")) {
                Depth depth(*this);
                Expression();
                Expect("]");
            } else if (Take(".")) {
                Name();
                if (Is("("))
                    Refuse("methods are not supported");
            } else if (Is("++") || Is("--")) {
                if (!lvalue)
                    Refuse("l-value required");
                ++at;
                lvalue = false;
            } else {
                return lvalue;
            }
        }
    }

    bool Primary() {
        if (Peek().kind == Kind::Number) {
            ++at;
            return false;
        }
        if (IsName()) {
            size_t name = at++;
            if (Is("(")) {
                Arguments();
                return false;
            }
            if (IsOneOf(tokens[name].text, {"true", "false"}))
                return false;
            // The front end's error path for an unknown name leaves a null node that crashes it
            // in places (the last operand of ?:, say).
            if (!IsVariable(tokens[name].text))
                throw Refusal{name, "unknown variable"};
            return true;
        }
        if (Take("(")) {
            Depth depth(*this);
            bool lvalue = Expression();
            Expect(")");
            return lvalue;
        }
        Refuse("syntax error");
    }

    void Arguments() {
        Depth depth(*this);
        Expect("(");
        if (Take(")"))
            return;
        do
            Assignment();
        while (Take(","));
        Expect(")");
    }

    // Folding of the integer constant expressions that size arrays: literals, integer constants
    // declared before, and arithmetic on them. Answers false for anything else. The expression
    // has been checked already, so the tokens are well formed.
    bool Fold(size_t from, size_t to, int64_t& value) const {
        size_t i = from;
        return FoldBinary(i, to, 1, value) && i == to;
    }

    static int Precedence(const Token& token) {
        static const char* const levels[][3] = {{"|"}, {"^"}, {"&"}, {"<<", ">>"}, {"+", "-"}, {"*", "/", "%"}};
        if (token.kind != Kind::Punct)
            return 0;
        for (int level = 0; level < 6; ++level)
            for (const char* op : levels[level])
                if (op && token.text == op)
                    return level + 1;
        return 0;
    }

    bool FoldBinary(size_t& i, size_t end, int minimum, int64_t& value) const {
        if (!FoldUnary(i, end, value))
            return false;
        while (i < end) {
            int precedence = Precedence(tokens[i]);
            if (precedence == 0 || precedence < minimum)
                return true;
            const std::string& op = tokens[i++].text;
            int64_t right = 0;
            if (!FoldBinary(i, end, precedence + 1, right))
                return false;
            if ((op == "/" || op == "%") && right == 0)
                return false;
            if ((op == "<<" || op == ">>") && (right < 0 || right > 62))
                return false;
            if (op == "|")
                value |= right;
            else if (op == "^")
                value ^= right;
            else if (op == "&")
                value &= right;
            else if (op == "<<")
                value = Multiply(value, right >= 41 ? (value == 0 ? 0 : Huge) : int64_t(1) << right);
            else if (op == ">>")
                value >>= right;
            else if (op == "+")
                value += right;
            else if (op == "-")
                value -= right;
            else if (op == "*")
                value = Multiply(value, right);
            else if (op == "/")
                value /= right;
            else
                value %= right;
            value = Clamp(value);
        }
        return true;
    }

    bool FoldUnary(size_t& i, size_t end, int64_t& value) const {
        if (i >= end)
            return false;
        const Token& token = tokens[i];
        if (token.kind == Kind::Number) {
            ++i;
            const std::string& text = token.text;
            bool hex = text.size() > 1 && (text[1] == 'x' || text[1] == 'X');
            if (!hex && text.find_first_of(".eEfFhH") != std::string::npos)
                return false;
            errno = 0;
            unsigned long long parsed = std::strtoull(text.c_str(), nullptr, 0);
            value = errno != 0 || parsed > static_cast<unsigned long long>(Huge) ? Huge : static_cast<int64_t>(parsed);
            return true;
        }
        if (token.kind == Kind::Name) {
            auto found = constants.find(token.text);
            if (found == constants.end())
                return false;
            ++i;
            value = found->second;
            return true;
        }
        if (token.text == "(") {
            ++i;
            if (i + 1 < end && IsOneOf(tokens[i].text, {"int", "uint"}) && tokens[i + 1].text == ")") {
                i += 2;
                return FoldUnary(i, end, value);
            }
            if (!FoldBinary(i, end, 1, value) || i >= end || tokens[i].text != ")")
                return false;
            ++i;
            return true;
        }
        if (IsOneOf(token.text, {"-", "+", "~"})) {
            ++i;
            if (!FoldUnary(i, end, value))
                return false;
            value = token.text == "-" ? -value : token.text == "~" ? ~value : value;
            value = Clamp(value);
            return true;
        }
        return false;
    }

    const std::vector<Token>& tokens;
    std::string entryPoint;
    size_t at = 0;
    int depth = 0;
    int64_t spent = 0;
    // Structure and typedef names with their component counts.
    std::map<std::string, int64_t> types;
    std::map<std::string, int64_t> constants;
    std::set<std::string> variables;
    std::vector<size_t> entryUniforms;
    std::set<std::string> entryUniformNames;
    std::vector<std::set<std::string>> scopes{1};
};

} // namespace

bool CgSyntax::Check(const std::string& text, const std::string& entryPoint, Error& error) {
    std::vector<Token> tokens = Tokenise(text);
    try {
        Parser(tokens, entryPoint).TranslationUnit();
    } catch (const Refusal& refusal) {
        const Token& token = tokens[refusal.token < tokens.size() ? refusal.token : tokens.size() - 1];
        error.line = token.kind == Kind::End ? 0 : token.line;
        error.token = token.text;
        error.text = refusal.text;
        return false;
    }
    return true;
}

} // namespace Gralith::Graphics
