#include "gralith/graphics/null/NullShading.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Texture.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace Gralith::Graphics {

namespace {

bool TypeFromName(const std::string& name, ParameterType& type) {
    static const struct {
        const char* name;
        ParameterType type;
    } types[] = {
        {"float", ParamFloat},
        {"float2", ParamFloat2},
        {"float3", ParamFloat3},
        {"float4", ParamFloat4},
        {"float2x2", ParamFloat2x2},
        {"float3x3", ParamFloat3x3},
        {"float4x4", ParamFloat4x4},
        {"int", ParamInt},
        {"int2", ParamInt2},
        {"int3", ParamInt3},
        {"int4", ParamInt4},
        {"bool", ParamBool},
        {"bool2", ParamBool2},
        {"bool3", ParamBool3},
        {"bool4", ParamBool4},
        {"sampler2D", ParamSampler2D},
        {"samplerCUBE", ParamSamplerCube},
        {"sampler3D", ParamSampler3D},
    };
    for (const auto& t : types)
        if (name == t.name) {
            type = t.type;
            return true;
        }
    return false;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string ReadWord(const std::string& text, size_t& at) {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    size_t start = at;
    while (at < text.size() && IsNameChar(text[at]))
        ++at;
    return text.substr(start, at - start);
}

} // namespace

NullShader::NullShader(ShaderType type, const char* entryPoint, const char* source)
    : type(type), entryPoint(entryPoint ? entryPoint : ""), source(source ? source : "") {
    const std::string& text = this->source;
    for (size_t at = text.find("uniform"); at != std::string::npos; at = text.find("uniform", at)) {
        bool wordStart = at == 0 || !IsNameChar(text[at - 1]);
        at += 7;
        if (!wordStart || (at < text.size() && IsNameChar(text[at])))
            continue;
        NullUniform uniform;
        std::string typeName = ReadWord(text, at);
        uniform.Name = ReadWord(text, at);
        if (uniform.Name.empty() || !TypeFromName(typeName, uniform.Type))
            continue;
        uniform.ArraySize = 1;
        uniform.IsArray = false;
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (at < text.size() && text[at] == '[') {
            uniform.IsArray = true;
            uniform.ArraySize = std::atoi(text.c_str() + at + 1);
        }
        uniforms.push_back(uniform);
    }
}

NullParameter::NullParameter(const std::string& name, const NullUniform* vertex, const NullUniform* pixel)
    : name(name), hasVertex(vertex != nullptr), hasPixel(pixel != nullptr) {
    if (vertex)
        this->vertex = *vertex;
    if (pixel)
        this->pixel = *pixel;
}

ParameterType NullParameter::GetType() const {
    if (!IsValid())
        throw Exception(Messages::ParameterNotValid, ErrorGeneral);
    return hasPixel ? pixel.Type : vertex.Type;
}

int NullParameter::GetArraySize() const {
    if (!IsValid())
        return 0;
    return hasPixel ? pixel.ArraySize : vertex.ArraySize;
}

void NullParameter::Record(int count, int width, const float* data) {
    if (!IsValid() || count <= 0 || !data)
        return;
    values.assign(data, data + count * width);
    ++setCount;
}

void NullParameter::Record(int count, int width, const std::int32_t* data) {
    if (!IsValid() || count <= 0 || !data)
        return;
    values.assign(data, data + count * width);
    ++setCount;
}

void NullParameter::RecordMatrices(int count, int width, const float* data) {
    if (count > 256)
        throw Exception(Messages::TooManyMatrices, ErrorInvalidState);
    Record(count, width, data);
}

void NullParameter::RecordSamplers(int count, Texture* const* textures, SamplerState* const* states) {
    for (int i = 0; i < count; ++i)
        if (textures[i] && textures[i]->GetType() == TextureType::Texture3D)
            throw Exception(Messages::Sampler3D, ErrorGeneral);
    if (!IsValid())
        return;
    this->textures.assign(textures, textures + count);
    if (states)
        this->states.assign(states, states + count);
    else
        this->states.assign(static_cast<size_t>(count), nullptr);
    ++setCount;
}

void NullParameter::SetSamplers(int count, Texture* const* textures, SamplerState* const* states) {
    RecordSamplers(count, textures, states);
}

void NullParameter::SetSamplers(int count, Texture* const* textures) { RecordSamplers(count, textures, nullptr); }

void NullParameter::SetSampler(Texture* texture, SamplerState* state) { RecordSamplers(1, &texture, &state); }

void NullParameter::SetSampler(Texture* texture) { RecordSamplers(1, &texture, nullptr); }

NullProgram::NullProgram(NullShader* vertexShader, NullShader* pixelShader)
    : vertexShader(vertexShader), pixelShader(pixelShader) {
    std::map<std::string, std::pair<const NullUniform*, const NullUniform*>> found;
    for (const NullUniform& u : vertexShader->GetUniforms())
        found[u.Name].first = &u;
    for (const NullUniform& u : pixelShader->GetUniforms())
        found[u.Name].second = &u;
    for (const auto& entry : found) {
        NullParameter* parameter = new NullParameter(entry.first, entry.second.first, entry.second.second);
        cache[entry.first] = parameter;
        linked.push_back(parameter);
    }
}

NullProgram::~NullProgram() {
    for (auto& entry : cache)
        entry.second->Release();
}

Parameter* NullProgram::GetParameter(const char* name) {
    std::string key = name ? name : "";
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    NullParameter* invalid = new NullParameter(key, nullptr, nullptr);
    cache[key] = invalid;
    return invalid;
}

namespace {

// "PREFIX" followed by decimal digits only, value <= max.
bool HasIndexSuffix(const char* name, const char* prefix, int max) {
    size_t n = std::strlen(prefix);
    if (std::strncmp(name, prefix, n) != 0 || name[n] == 0)
        return false;
    int value = 0;
    for (const char* p = name + n; *p; ++p) {
        if (*p < '0' || *p > '9' || value > max)
            return false;
        value = value * 10 + (*p - '0');
    }
    return value <= max;
}

} // namespace

NullSemanticMap::NullSemanticMap(const char* const* names) {
    for (int i = 0; i < 16; ++i) {
        const char* name = names ? names[i] : nullptr;
        if (!name)
            continue;
        if (std::strcmp(name, "POSITION") != 0 && std::strcmp(name, "NORMAL") != 0 && std::strcmp(name, "COLOR") != 0 &&
            std::strcmp(name, "TEXCOORD") != 0 && !HasIndexSuffix(name, "TEXCOORD", 7) &&
            !HasIndexSuffix(name, "ATTR", 15))
            throw Exception(Messages::UnsupportedSemantic, ErrorInvalidState);
        this->names[i] = name;
        used[i] = true;
    }
}

const char* NullSemanticMap::GetName(int slot) const {
    return slot >= 0 && slot < 16 && used[slot] ? names[slot].c_str() : nullptr;
}

} // namespace Gralith::Graphics
