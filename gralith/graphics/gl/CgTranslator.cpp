#include "gralith/graphics/gl/CgTranslator.h"

#include "gralith/graphics/gl/CgInitializers.h"
#include "gralith/graphics/gl/CgSyntax.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"

// The packaged glslang is built with its HLSL front end; the header hides part of it without this.
#ifndef ENABLE_HLSL
#define ENABLE_HLSL 1
#endif
#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>
#include <glslang/SPIRV/GlslangToSpv.h>
#include <spirv_cross/spirv_glsl.hpp>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace Gralith::Graphics {

const char* const CgTranslator::CompileErrorText = Messages::CompileError;

namespace {

using Utils::String;

// ParameterType values.
enum {
    TypeNone = 0,
    TypeFloat = 1,
    TypeInt = 2,
    TypeBool = 3,
    TypeFloat2 = 4,
    TypeInt2 = 7,
    TypeBool2 = 10,
    TypeBool4 = 12,
    TypeFloat2x2 = 13,
    TypeSampler2D = 22,
    TypeSamplerCube = 23,
    TypeSampler3D = 24
};

// Composed like the Cg runtime's error callback: the error string, a line break, the (absent)
// second error, a line break, the listing, two line breaks.
[[noreturn]] void Fail(std::string listing) {
    while (!listing.empty() && std::isspace(static_cast<unsigned char>(listing.back())))
        listing.pop_back();
    std::string message = CgTranslator::CompileErrorText;
    message += "\n\n";
    message += listing;
    message += "\n\n";
    throw Exception(message.c_str(), ErrorGeneral);
}

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { glslang::InitializeProcess(); });
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// "TEXCOORD3" -> ("TEXCOORD", 3); "TEXCOORD" -> ("TEXCOORD", -1).
void SplitSemantic(const std::string& semantic, std::string& base, int& index) {
    size_t end = semantic.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(semantic[end - 1])))
        --end;
    base = semantic.substr(0, end);
    index = end == semantic.size() ? -1 : std::stoi(semantic.substr(end, 9));
}

// Varyings of both stages meet under this name; a missing index counts as 0.
std::string VaryingName(const std::string& semantic) {
    std::string base;
    int index;
    SplitSemantic(semantic, base, index);
    return "v_" + base + std::to_string(index < 0 ? 0 : index);
}

// Cg has no unsigned type, but the HLSL front end stores bool uniforms as 32-bit unsigned
// integers, which GLSL 1.20 lacks. Making every 32-bit integer type signed keeps the code valid:
// the only unsigned values in translated Cg are these booleans and constant array sizes. Answers
// the ids of the types that were unsigned, so that their uniforms are still reported as bool.
std::set<uint32_t> MakeIntegersSigned(std::vector<uint32_t>& spirv) {
    const uint32_t opTypeInt = 21;
    std::set<uint32_t> unsignedTypes;
    size_t i = 5;
    while (i < spirv.size()) {
        uint32_t words = spirv[i] >> 16;
        if (words == 0 || i + words > spirv.size())
            break;
        if ((spirv[i] & 0xFFFF) == opTypeInt && words == 4 && spirv[i + 2] == 32 && spirv[i + 3] == 0) {
            unsignedTypes.insert(spirv[i + 1]);
            spirv[i + 3] = 1;
        }
        i += words;
    }
    return unsignedTypes;
}

class GlslWriter : public spirv_cross::CompilerGLSL {
public:
    GlslWriter(std::vector<uint32_t> spirv, std::set<uint32_t> unsignedTypes)
        : CompilerGLSL(std::move(spirv)), unsignedTypes(std::move(unsignedTypes)) {}

    /// The block is written as one plain uniform per member. Its accesses come out as
    /// "<prefix>.member...", and the prefix is removed from the text afterwards.
    void FlattenBlock(uint32_t variable, const std::string& prefix) {
        set_name(variable, prefix);
        flattened.insert(variable);
    }

    const spirv_cross::SPIRType& BlockType(uint32_t variable) {
        const spirv_cross::SPIRVariable& var = get<spirv_cross::SPIRVariable>(variable);
        return get<spirv_cross::SPIRType>(get<spirv_cross::SPIRType>(var.basetype).self);
    }

    const spirv_cross::SPIRType& TypeOf(uint32_t id) { return get<spirv_cross::SPIRType>(id); }

    /// The ParameterType of a uniform of the given type (element type for arrays).
    int ParameterTypeOf(uint32_t typeId) {
        const spirv_cross::SPIRType& type = get<spirv_cross::SPIRType>(typeId);
        using Base = spirv_cross::SPIRType;
        if (type.basetype == Base::SampledImage || type.basetype == Base::Image) {
            switch (type.image.dim) {
            case spv::Dim2D: return TypeSampler2D;
            case spv::DimCube: return TypeSamplerCube;
            case spv::Dim3D: return TypeSampler3D;
            default: return TypeNone;
            }
        }
        if (type.vecsize < 1 || type.vecsize > 4)
            return TypeNone;
        const spirv_cross::SPIRType* scalar = &type;
        while (scalar->parent_type)
            scalar = &get<spirv_cross::SPIRType>(scalar->parent_type);
        int first;
        if (type.basetype == Base::Float)
            first = TypeFloat;
        else if (type.basetype == Base::Int && unsignedTypes.count(scalar->self) == 0)
            first = TypeInt;
        else if (type.basetype == Base::Int || type.basetype == Base::Boolean)
            first = TypeBool;
        else
            return TypeNone;
        if (type.columns == 1) {
            if (type.vecsize == 1)
                return first;
            return (first == TypeFloat ? TypeFloat2
                    : first == TypeInt ? TypeInt2
                                       : TypeBool2) +
                   static_cast<int>(type.vecsize) - 2;
        }
        // Only square float matrices reach a program.
        if (first != TypeFloat || type.columns != type.vecsize)
            return TypeNone;
        return TypeFloat2x2 + static_cast<int>(type.columns) - 2;
    }

protected:
    void emit_buffer_block(const spirv_cross::SPIRVariable& var) override {
        if (flattened.count(var.self) == 0) {
            CompilerGLSL::emit_buffer_block(var);
            return;
        }
        const spirv_cross::SPIRType& type = BlockType(var.self);
        for (uint32_t i = 0; i < type.member_types.size(); ++i) {
            const std::string& name = get_member_name(type.self, i);
            // Keeps locals from taking the uniform's name.
            resource_names.insert(name);
            statement("uniform ", variable_decl(get<spirv_cross::SPIRType>(type.member_types[i]), name), ";");
        }
        statement("");
    }

private:
    std::set<uint32_t> unsignedTypes;
    std::set<uint32_t> flattened;
};

// Text compiled ahead of every shader (its own source string, so line numbers are unchanged):
// Cg's fixed-point types, which HLSL lacks, as the half types Cg lets them be; lit(), whose
// specular term the HLSL front end computes as n_dot_h * m instead of pow(n_dot_h, m); and
// noise(), which the front end accepts but cannot translate (it crashes): here a smooth value
// noise in 0..1 over float1-4 positions.
const char* const LitFunction =
    "float4 gralith_lit(float n_dot_l, float n_dot_h, float m) {\n"
    "    return float4(1.0, max(n_dot_l, 0.0), n_dot_l < 0.0 || n_dot_h < 0.0 ? 0.0 : pow(n_dot_h, m), 1.0);\n}\n"
    "#define lit(l, h, m) gralith_lit(l, h, m)\n";
const char* const NoiseFunction =
    "float gralith_hash(float3 p) {\n"
    "    return frac(sin(dot(p, float3(12.9898, 78.233, 45.164))) * 43758.5453);\n}\n"
    "float gralith_noise(float3 x) {\n"
    "    float3 i = floor(x);\n"
    "    float3 f = frac(x);\n"
    "    f = f * f * (3.0 - 2.0 * f);\n"
    "    float a = lerp(gralith_hash(i), gralith_hash(i + float3(1, 0, 0)), f.x);\n"
    "    float b = lerp(gralith_hash(i + float3(0, 1, 0)), gralith_hash(i + float3(1, 1, 0)), f.x);\n"
    "    float c = lerp(gralith_hash(i + float3(0, 0, 1)), gralith_hash(i + float3(1, 0, 1)), f.x);\n"
    "    float d = lerp(gralith_hash(i + float3(0, 1, 1)), gralith_hash(i + float3(1, 1, 1)), f.x);\n"
    "    return lerp(lerp(a, b, f.y), lerp(c, d, f.y), f.z);\n}\n"
    "float gralith_noise(float x) { return gralith_noise(float3(x, 0.0, 0.0)); }\n"
    "float gralith_noise(float2 x) { return gralith_noise(float3(x, 0.0)); }\n"
    "float gralith_noise(float4 x) { return gralith_noise(x.xyz + x.w * float3(0.31, 0.57, 0.73)); }\n"
    "#define noise(x) gralith_noise(x)\n";

// The preamble for a source; the functions are only compiled for sources that mention them.
const std::string& Preamble(const char* source) {
    static std::string preambles[4];
    int variant = (std::strstr(source, "lit") ? 1 : 0) + (std::strstr(source, "noise") ? 2 : 0);
    std::string& preamble = preambles[variant];
    if (preamble.empty()) {
        if (variant & 1)
            preamble += LitFunction;
        if (variant & 2)
            preamble += NoiseFunction;
        // One-component vectors compile as scalars: mul() of one and a matrix crashes the front
        // end.
        for (const char* scalar : {"float", "half", "int", "uint", "bool", "double"})
            preamble += std::string("#define ") + scalar + "1 " + scalar + "\n";
        preamble += "#define fixed half\n";
        for (int rows = 1; rows <= 4; ++rows) {
            std::string n = std::to_string(rows);
            preamble += "#define fixed" + n + " half" + n + "\n";
            for (int columns = 1; columns <= 4; ++columns) {
                std::string m = std::to_string(columns);
                preamble += "#define fixed" + n + "x" + m + " half" + n + "x" + m + "\n";
            }
        }
    }
    return preamble;
}

// DX9 mode: without it tex2D on a sampler2D turns into a 1D lookup.
const EShMessages ParseMessages = static_cast<EShMessages>(EShMsgSpvRules | EShMsgReadHlsl | EShMsgHlslDX9Compatible);

// source and sourceName must outlive the shader.
void SetUp(glslang::TShader& shader, const char* const* source, const char* const* sourceName, const char* entryPoint,
           EShLanguage language) {
    shader.setStringsWithLengthsAndNames(source, nullptr, sourceName, 1);
    shader.setEntryPoint(entryPoint);
    shader.setEnvInput(glslang::EShSourceHlsl, language, glslang::EShClientOpenGL, 100);
    shader.setEnvClient(glslang::EShClientOpenGL, glslang::EShTargetOpenGL_450);
    shader.setEnvTarget(glslang::EShTargetSpv, glslang::EShTargetSpv_1_0);
}

// The front end crashes on some malformed sources instead of reporting them, so the source is
// checked first. The check reads it preprocessed with the preamble's macros (a macro can make or
// hide any construct) but without the preamble's code, so that its lines keep their numbers.
void Screen(const char* source, const char* entryPoint, EShLanguage language, const char* sourceName) {
    std::string macros;
    const std::string& preamble = Preamble(source);
    for (size_t line = 0; line < preamble.size();) {
        size_t end = preamble.find('\n', line);
        end = end == std::string::npos ? preamble.size() : end + 1;
        if (preamble.compare(line, 8, "#define ") == 0)
            macros.append(preamble, line, end - line);
        line = end;
    }
    glslang::TShader shader(language);
    SetUp(shader, &source, &sourceName, entryPoint, language);
    shader.setPreamble(macros.c_str());
    std::string text;
    glslang::TShader::ForbidIncluder includer;
    if (!shader.preprocess(GetDefaultResources(), 100, ENoProfile, false, false, ParseMessages, &text, includer))
        Fail(shader.getInfoLog());
    CgSyntax::Error error;
    if (!CgSyntax::Check(text, entryPoint, error)) {
        std::string message = std::string("ERROR: ") + sourceName;
        if (error.line > 0)
            message += ":" + std::to_string(error.line) + ": '" + error.token + "' :";
        else
            message += ":";
        Fail(message + " " + error.text);
    }
}

std::vector<uint32_t> CompileToSpirv(const char* source, const char* entryPoint, EShLanguage language,
                                     const char* sourceName) {
    InitialiseOnce();
    Screen(source, entryPoint, language, sourceName);
    glslang::TShader shader(language);
    SetUp(shader, &source, &sourceName, entryPoint, language);
    shader.setPreamble(Preamble(source).c_str());
    // Keeps each semantic as a decoration, which the rewrites below read.
    shader.setEnvTargetHlslFunctionality1();
    shader.setAutoMapLocations(true);
    shader.setAutoMapBindings(true);
    if (!shader.parse(GetDefaultResources(), 100, false, ParseMessages))
        Fail(shader.getInfoLog());

    glslang::TProgram program;
    program.addShader(&shader);
    if (!program.link(ParseMessages))
        Fail(program.getInfoLog());
    // The front end only warns about a missing entry point and produces an empty main().
    if (std::string(program.getInfoLog()).find("Entry point not found") != std::string::npos)
        Fail(std::string("ERROR: ") + sourceName + ": entry point '" + entryPoint + "' not found");

    std::vector<uint32_t> spirv;
    spv::SpvBuildLogger logger;
    glslang::GlslangToSpv(*program.getIntermediate(language), spirv, &logger);
    if (spirv.size() < 5)
        Fail(std::string("ERROR: ") + sourceName + ": no code generated\n" + logger.getAllMessages());
    return spirv;
}

// The most uniforms, and structure members and elements on the way to them, that a stage reports:
// far more than a GL 2.0 driver takes.
const size_t MaxUniformParts = 65536;

// Names the uniform blocks get while they are written; the text then drops "<prefix>.".
const char* const BlockPrefix = "gralith_block";

void RemoveAll(std::string& text, const std::string& part) {
    size_t at = 0;
    while ((at = text.find(part, at)) != std::string::npos)
        text.erase(at, part.size());
}

// Functions that GLSL 1.20 lacks but the GLSL writer uses for HLSL intrinsics, rewritten with
// what 1.20 has. Each definition is written for float (scalar) and for vec2, vec3 and vec4
// (vector, null: the same as scalar), with T the float type, B the bool type and I the int type
// of that width.
struct Polyfill {
    const char* name;
    const char* scalar;
    const char* vector;
};
const Polyfill Polyfills[] = {
    {"trunc", "T gralith_trunc(T x) { return sign(x) * floor(abs(x)); }", nullptr},
    {"sinh", "T gralith_sinh(T x) { return (exp(x) - exp(-x)) * 0.5; }", nullptr},
    {"cosh", "T gralith_cosh(T x) { return (exp(x) + exp(-x)) * 0.5; }", nullptr},
    {"tanh", "T gralith_tanh(T x) { T e = exp(2.0 * clamp(x, -20.0, 20.0)); return (e - 1.0) / (e + 1.0); }", nullptr},
    {"modf", "T gralith_modf(T x, out T i) { i = sign(x) * floor(abs(x)); return x - i; }", nullptr},
    {"ldexp", "T gralith_ldexp(T x, I e) { return x * exp2(T(e)); }", nullptr},
    {"isnan", "B gralith_isnan(T x) { return x != x; }", "B gralith_isnan(T x) { return notEqual(x, x); }"},
    {"isinf", "B gralith_isinf(T x) { return abs(x) > 3.4028235e38; }",
     "B gralith_isinf(T x) { return greaterThan(abs(x), T(3.4028235e38)); }"},
};

bool IsNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Calls of name( -> replacement( ; answers whether there was any.
bool RenameCalls(std::string& glsl, const std::string& name, const std::string& replacement) {
    bool any = false;
    for (size_t at = glsl.find(name + "("); at != std::string::npos; at = glsl.find(name + "(", at + 1)) {
        if (at > 0 && IsNamePart(glsl[at - 1]))
            continue;
        glsl.replace(at, name.size(), replacement);
        any = true;
    }
    return any;
}

void AddPolyfills(std::string& glsl) {
    std::string definitions;
    for (const Polyfill& polyfill : Polyfills) {
        std::string renamed = std::string("gralith_") + polyfill.name;
        if (!RenameCalls(glsl, polyfill.name, renamed))
            continue;
        static const char* const types[4][3] = {{"float", "bool", "int"},
                                                {"vec2", "bvec2", "ivec2"},
                                                {"vec3", "bvec3", "ivec3"},
                                                {"vec4", "bvec4", "ivec4"}};
        for (int width = 0; width < 4; ++width) {
            const char* const* type = types[width];
            const char* text = width == 0 || !polyfill.vector ? polyfill.scalar : polyfill.vector;
            std::string definition;
            for (const char* c = text; *c; ++c) {
                bool placeholder =
                    (*c == 'T' || *c == 'B' || *c == 'I') && !IsNamePart(c[1]) && (c == text || !IsNamePart(c[-1]));
                definition += placeholder ? type[*c == 'T' ? 0 : *c == 'B' ? 1 : 2] : std::string(1, *c);
            }
            definitions += definition + "\n";
        }
    }
    if (definitions.empty())
        return;
    // After the #version and #extension lines.
    size_t insert = 0;
    while (insert < glsl.size() && glsl[insert] == '#') {
        size_t end = glsl.find('\n', insert);
        insert = end == std::string::npos ? glsl.size() : end + 1;
    }
    glsl.insert(insert, "\n" + definitions);
}

bool IsOneOf(const std::string& base, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (base == name)
            return true;
    return false;
}

} // namespace

CgTranslator::Translation CgTranslator::Translate(const char* source, const char* entryPoint, Stage stage,
                                                  const char* sourceName) {
    if (!source)
        source = "";
    if (!entryPoint)
        entryPoint = "";
    if (!sourceName)
        sourceName = "";
    EShLanguage language = stage == StageVertex ? EShLangVertex : EShLangFragment;
    Translation result;
    try {
        std::vector<uint32_t> spirv = CompileToSpirv(source, entryPoint, language, sourceName);
        std::set<uint32_t> unsignedTypes = MakeIntegersSigned(spirv);
        GlslWriter writer(std::move(spirv), std::move(unsignedTypes));
        spirv_cross::CompilerGLSL::Options options = writer.get_common_options();
        options.version = 120;
        options.es = false;
        options.enable_420pack_extension = false;
        writer.set_common_options(options);
        writer.build_combined_image_samplers();

        spirv_cross::ShaderResources resources = writer.get_shader_resources();
        // Every addressable uniform, structures through their members as Cg names them
        // ("Light.color", "Lights[1].color"), in a fixed order of blocks, members and samplers.
        struct Leaf {
            std::string name;
            uint32_t type;
        };
        // An array of structures counts once per element: the budget keeps a huge one from costing
        // time and memory in proportion to its declared size.
        size_t budget = 0;
        std::function<void(std::vector<Leaf>&, const std::string&, uint32_t)> addLeaves =
            [&](std::vector<Leaf>& leaves, const std::string& name, uint32_t typeId) {
                if (++budget > MaxUniformParts)
                    Fail(std::string("ERROR: ") + sourceName + ": too many uniforms");
                const spirv_cross::SPIRType& type = writer.TypeOf(typeId);
                if (type.basetype == spirv_cross::SPIRType::Struct && type.array.size() == 1 && type.parent_type) {
                    for (uint32_t i = 0; i < type.array[0]; ++i)
                        addLeaves(leaves, name + "[" + std::to_string(i) + "]", type.parent_type);
                } else if (type.basetype == spirv_cross::SPIRType::Struct && type.array.empty()) {
                    for (uint32_t i = 0; i < type.member_types.size(); ++i)
                        addLeaves(leaves, name + "." + writer.get_member_name(type.self, i), type.member_types[i]);
                } else {
                    leaves.push_back({name, typeId});
                }
            };
        auto collectLeaves = [&]() {
            budget = 0;
            std::vector<Leaf> leaves;
            for (const spirv_cross::Resource& block : resources.uniform_buffers) {
                const spirv_cross::SPIRType& type = writer.BlockType(block.id);
                for (uint32_t i = 0; i < type.member_types.size(); ++i)
                    addLeaves(leaves, writer.get_member_name(type.self, i), type.member_types[i]);
            }
            for (const spirv_cross::Resource& sampler : resources.sampled_images)
                addLeaves(leaves, writer.get_name(sampler.id), sampler.type_id);
            return leaves;
        };
        std::vector<Leaf> leaves = collectLeaves();
        for (const Leaf& leaf : leaves) {
            const spirv_cross::SPIRType& type = writer.TypeOf(leaf.type);
            Uniform uniform;
            uniform.name = leaf.name.c_str();
            uniform.glslName = uniform.name;
            uniform.type = writer.ParameterTypeOf(leaf.type);
            uniform.arraySize = 0;
            if (!type.array.empty()) {
                uniform.arraySize = 1;
                for (uint32_t length : type.array) {
                    if (length > 0 &&
                        uniform.arraySize > std::numeric_limits<int>::max() / static_cast<int64_t>(length))
                        Fail(std::string("ERROR: ") + sourceName + ": uniform '" + leaf.name + "' is too large");
                    uniform.arraySize *= static_cast<int>(length);
                }
            }
            result.uniforms.AddGrowing(uniform);
        }
        std::vector<std::string> prefixes;
        for (const spirv_cross::Resource& block : resources.uniform_buffers) {
            prefixes.push_back(BlockPrefix + std::to_string(prefixes.size()));
            writer.FlattenBlock(block.id, prefixes.back());
        }
        std::map<std::string, std::vector<float>> initializers = CgInitializers::Scan(source);
        for (Uniform& uniform : result.uniforms) {
            auto found = initializers.find(uniform.name.CStr());
            if (found == initializers.end() || uniform.arraySize != 0 || uniform.type < TypeFloat ||
                uniform.type > TypeBool4)
                continue;
            int components = uniform.type <= TypeBool ? 1 : 2 + (uniform.type - TypeFloat2) % 3;
            if (static_cast<int>(found->second.size()) == components)
                for (float value : found->second)
                    uniform.initialValue.Add(value);
        }

        std::set<std::string> seen;
        auto semanticOf = [&](uint32_t id) {
            std::string semantic = Upper(writer.get_decoration_string(id, spv::DecorationHlslSemanticGOOGLE));
            // "TEXCOORD" and "TEXCOORD0" are the same semantic.
            if (!semantic.empty() && !seen.insert(VaryingName(semantic)).second)
                Fail(std::string("ERROR: ") + sourceName + ": semantic '" + semantic + "' is used more than once");
            return semantic;
        };
        auto addVarying = [&](const std::string& name, uint32_t typeId) {
            const spirv_cross::SPIRType& type = writer.TypeOf(typeId);
            Varying varying;
            varying.name = name.c_str();
            bool floats = type.basetype == spirv_cross::SPIRType::Float && type.columns == 1 && type.array.empty();
            varying.components = floats ? static_cast<int>(type.vecsize) : 0;
            result.varyings.Add(varying);
        };
        auto isVector4 = [&](uint32_t typeId) {
            const spirv_cross::SPIRType& type = writer.TypeOf(typeId);
            return type.vecsize == 4 && type.columns == 1 && type.array.empty();
        };

        for (const spirv_cross::Resource& input : resources.stage_inputs) {
            std::string semantic = semanticOf(input.id);
            std::string base;
            int index;
            SplitSemantic(semantic, base, index);
            if (stage == StageVertex) {
                if (semantic.empty())
                    continue;
                Attribute attribute;
                attribute.semantic = semantic.c_str();
                attribute.name = ("a_" + semantic).c_str();
                writer.set_name(input.id, attribute.name.CStr());
                result.attributes.Add(attribute);
            } else if (IsOneOf(base, {"POSITION", "WPOS", "VPOS"}) && index <= 0 && isVector4(input.type_id)) {
                // A pixel stage reading the position gets the window position, as in Cg.
                writer.set_decoration(input.id, spv::DecorationBuiltIn, spv::BuiltInFragCoord);
            } else if (!semantic.empty()) {
                writer.set_name(input.id, VaryingName(semantic));
                addVarying(VaryingName(semantic), input.type_id);
            }
        }
        seen.clear();
        for (const spirv_cross::Resource& output : resources.stage_outputs) {
            std::string semantic = semanticOf(output.id);
            std::string base;
            int index;
            SplitSemantic(semantic, base, index);
            if (stage == StageVertex) {
                if (IsOneOf(base, {"POSITION", "SV_POSITION"}) && index <= 0)
                    writer.set_decoration(output.id, spv::DecorationBuiltIn, spv::BuiltInPosition);
                else if (IsOneOf(base, {"PSIZE"}) && index <= 0)
                    writer.set_decoration(output.id, spv::DecorationBuiltIn, spv::BuiltInPointSize);
                else if (!semantic.empty()) {
                    writer.set_name(output.id, VaryingName(semantic));
                    addVarying(VaryingName(semantic), output.type_id);
                }
            } else if (IsOneOf(base, {"COLOR", "SV_TARGET"}) && index < 8) {
                // GLSL 1.20 writes colour outputs through gl_FragData[location].
                writer.set_decoration(output.id, spv::DecorationLocation, index < 0 ? 0 : index);
            } else if (IsOneOf(base, {"DEPTH", "SV_DEPTH"}) && index <= 0) {
                writer.set_decoration(output.id, spv::DecorationBuiltIn, spv::BuiltInFragDepth);
            }
        }

        std::string glsl = writer.compile();
        // The writer renames what GLSL reserves ("noise" becomes "_noise"): the program finds the
        // uniforms under the names written.
        std::vector<Leaf> written = collectLeaves();
        if (written.size() == leaves.size())
            for (size_t i = 0; i < written.size(); ++i)
                result.uniforms[static_cast<int>(i)].glslName = written[i].name.c_str();
        for (const std::string& prefix : prefixes)
            RemoveAll(glsl, prefix + ".");
        AddPolyfills(glsl);
        result.glsl = glsl.c_str();
    } catch (const Exception&) {
        throw;
    } catch (const std::exception& error) {
        // The GLSL writer reports what it cannot translate as spirv_cross::CompilerError; what
        // else the libraries throw (a bad index, an allocation) is as much the compile's failure.
        Fail(std::string("ERROR: ") + sourceName + ": " + error.what());
    } catch (...) {
        Fail(std::string("ERROR: ") + sourceName + ": internal compiler error");
    }
    return result;
}

Utils::String CgTranslator::AdaptPixelVaryings(const Translation& vertex, const Translation& pixel) {
    static const char* const types[] = {"", "float", "vec2", "vec3", "vec4"};
    std::string glsl = pixel.glsl.CStr();
    bool changed = false;
    for (const Varying& read : pixel.varyings) {
        int written = 0;
        for (const Varying& candidate : vertex.varyings)
            if (candidate.name == read.name)
                written = candidate.components;
        int wanted = read.components;
        if (written == 0 || wanted == 0 || written == wanted)
            continue;
        std::string name = read.name.CStr();
        std::string declaration = std::string("varying ") + types[wanted] + " " + name + ";";
        size_t declared = glsl.find(declaration);
        if (declared == std::string::npos)
            continue;
        // The pixel stage declares what the vertex stage writes and converts on every read:
        // extra components are dropped, missing ones are 0 (w: 1).
        std::string conversion;
        if (written > wanted) {
            conversion = "(" + name + "." + std::string("xyzw").substr(0, static_cast<size_t>(wanted)) + ")";
        } else {
            conversion = std::string(types[wanted]) + "(" + name;
            for (int c = written; c < wanted; ++c)
                conversion += c == 3 ? ", 1.0" : ", 0.0";
            conversion += ")";
        }
        auto isNamePart = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
        std::string adapted;
        size_t at = 0;
        for (size_t found = glsl.find(name); found != std::string::npos; found = glsl.find(name, found + 1)) {
            size_t end = found + name.size();
            bool whole = (found == 0 || !isNamePart(glsl[found - 1])) && (end >= glsl.size() || !isNamePart(glsl[end]));
            bool inDeclaration = found >= declared && found < declared + declaration.size();
            if (!whole)
                continue;
            adapted += glsl.substr(at, found - at);
            adapted += inDeclaration ? name : conversion;
            at = end;
        }
        adapted += glsl.substr(at);
        size_t declaredNow = adapted.find(declaration);
        adapted.replace(declaredNow, declaration.size(), std::string("varying ") + types[written] + " " + name + ";");
        glsl = adapted;
        changed = true;
    }
    return changed ? Utils::String(glsl.c_str()) : Utils::String();
}

} // namespace Gralith::Graphics
