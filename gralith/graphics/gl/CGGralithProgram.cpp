#include "gralith/graphics/gl/CGGralithProgram.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Texture.h"
#include "gralith/graphics/gl/CGParameter.h"
#include "gralith/graphics/gl/CGSemanticMap.h"
#include "gralith/graphics/gl/CGShader.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLSamplerState.h"
#include "gralith/graphics/gl/GLTextureHandle.h"

#include <string>

namespace Gralith::Graphics {

namespace {
constexpr unsigned int GL_TEXTURE0 = 0x84C0;
constexpr unsigned int GL_TEXTURE_2D = 0x0DE1;
constexpr unsigned int GL_TEXTURE_CUBE_MAP = 0x8513;
constexpr unsigned int GL_TEXTURE_BINDING_2D = 0x8069;
constexpr unsigned int GL_TEXTURE_BINDING_CUBE_MAP = 0x8514;
constexpr unsigned int GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS = 0x8B4D;
constexpr unsigned int GL_LINK_STATUS = 0x8B82;
constexpr unsigned int GL_INFO_LOG_LENGTH = 0x8B84;

} // namespace

CGGralithProgram::CGGralithProgram(CGShadingContext* context, CGShader* vertexShader, CGShader* pixelShader)
    : device(context->GetDevice()), context(context), vertexShader(vertexShader), pixelShader(pixelShader) {
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    program = gl.CreateProgram();
    if (!program)
        throw Exception(Messages::ProgramObjectCreation, ErrorGeneral);
    gl.AttachShader(program, vertexShader->GetGLShader());
    // A pixel stage that reads varyings at other widths than the vertex stage writes them gets
    // a copy of its own, adapted to this vertex stage.
    Utils::String adapted =
        CgTranslator::AdaptPixelVaryings(vertexShader->GetTranslation(), pixelShader->GetTranslation());
    unsigned int adaptedShader = 0;
    if (adapted.Length() > 0) {
        try {
            adaptedShader =
                CGShader::CompileGLSL(device.Get(), PixelShader, adapted.CStr(), pixelShader->GetEntryPoint());
        } catch (...) {
            gl.DeleteProgram(program);
            throw;
        }
    }
    gl.AttachShader(program, adaptedShader ? adaptedShader : pixelShader->GetGLShader());
    for (const CgTranslator::Attribute& attribute : vertexShader->GetTranslation().attributes) {
        int location = CGSemanticMap::LocationOfInput(attribute.semantic.CStr());
        if (location >= 0)
            gl.BindAttribLocation(program, static_cast<unsigned int>(location), attribute.name.CStr());
    }
    gl.LinkProgram(program);
    if (adaptedShader)
        gl.DeleteShader(adaptedShader); // freed with the program
    int status = 0;
    gl.GetProgramiv(program, GL_LINK_STATUS, &status);
    if (!status) {
        int length = 0;
        gl.GetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
        std::string log(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        gl.GetProgramInfoLog(program, static_cast<int>(log.size()), nullptr, &log[0]);
        gl.DeleteProgram(program);
        std::string message = Messages::ProgramLinkFailed;
        message += log.c_str();
        throw Exception(message.c_str(), ErrorGeneral);
    }

    // Uniforms of both stages, once each; the map keeps them in byte-wise name order.
    std::map<std::string, std::string> glslNames;
    auto collect = [&](CGShader* shader) {
        for (const CgTranslator::Uniform& uniform : shader->GetTranslation().uniforms) {
            CGParameter*& parameter = cache[uniform.name.CStr()];
            if (!parameter)
                parameter = new CGParameter(this, uniform.name.CStr());
            parameter->AddStage(shader->GetShaderType(), uniform.type, uniform.arraySize);
            glslNames[uniform.name.CStr()] = uniform.glslName.CStr();
        }
    };
    collect(vertexShader);
    collect(pixelShader);

    int maxUnits = 0;
    gl.GetIntegerv(GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS, &maxUnits);
    std::vector<int> unitValues;
    for (auto& entry : cache) {
        CGParameter* parameter = entry.second;
        linked.push_back(parameter);
        parameter->SetLocation(gl.GetUniformLocation(program, glslNames[entry.first].c_str()));
        if (parameter->IsSampler()) {
            parameter->SetFirstUnit(static_cast<int>(units.size()));
            units.resize(units.size() + static_cast<size_t>(parameter->GetElementCount()));
        }
    }
    if (static_cast<int>(units.size()) > maxUnits) {
        for (CGParameter* parameter : linked)
            parameter->Release();
        gl.DeleteProgram(program);
        throw Exception(Messages::TooManySamplers, ErrorUnsupported);
    }
    // Sampler uniforms hold their unit numbers for the program's lifetime.
    BeginUpload();
    for (CGParameter* parameter : linked) {
        if (!parameter->IsSampler())
            continue;
        unitValues.clear();
        for (int i = 0; i < parameter->GetElementCount(); ++i)
            unitValues.push_back(parameter->GetFirstUnit() + i);
        if (parameter->GetLocation() >= 0)
            gl.Uniform1iv(parameter->GetLocation(), static_cast<int>(unitValues.size()), unitValues.data());
    }
    EndUpload();
    // Initial values the source gives (the pixel stage's win where both give one).
    for (CGShader* shader : {vertexShader, pixelShader}) {
        for (const CgTranslator::Uniform& uniform : shader->GetTranslation().uniforms) {
            const Utils::Array<float>& value = uniform.initialValue;
            Parameter* parameter = cache[uniform.name.CStr()];
            switch (value.Count()) {
            case 1: parameter->SetFloat(1, value.Data()); break;
            case 2: parameter->SetFloat2(1, value.Data()); break;
            case 3: parameter->SetFloat3(1, value.Data()); break;
            case 4: parameter->SetFloat4(1, value.Data()); break;
            default: break;
            }
        }
    }
}

CGGralithProgram::~CGGralithProgram() {
    for (auto& entry : cache)
        entry.second->Release();
    for (UnitTexture& unit : units)
        if (unit.held)
            unit.held->Release();
    device->MakeCurrent();
    if (context->GetCurrentProgram() == program) {
        device->GL().UseProgram(0);
        context->SetCurrentProgram(0);
    }
    device->GL().DeleteProgram(program);
}

Parameter* CGGralithProgram::GetParameter(const char* name) {
    std::string key = name ? name : "";
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    auto* parameter = new CGParameter(this, key.c_str());
    cache[key] = parameter;
    return parameter;
}

Parameter* CGGralithProgram::GetParameter(int index) {
    if (index < 0 || index >= static_cast<int>(linked.size()))
        return nullptr;
    return linked[static_cast<size_t>(index)];
}

void CGGralithProgram::Bind() {
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    gl.UseProgram(program);
    context->SetCurrentProgram(program);
    for (size_t unit = 0; unit < units.size(); ++unit) {
        if (!units[unit].target)
            continue;
        gl.ActiveTexture(GL_TEXTURE0 + static_cast<unsigned int>(unit));
        gl.BindTexture(units[unit].target, units[unit].texture);
    }
}

void CGGralithProgram::BeginUpload() {
    device->MakeCurrent();
    uploadPrevious = context->GetCurrentProgram();
    if (uploadPrevious != program)
        device->GL().UseProgram(program);
}

void CGGralithProgram::EndUpload() {
    if (uploadPrevious != program)
        context->GetDevice()->GL().UseProgram(uploadPrevious);
}

void CGGralithProgram::SetUnitTexture(int unit, int samplerType, Texture* texture, SamplerState* state) {
    if (unit < 0 || unit >= static_cast<int>(units.size()))
        return;
    UnitTexture binding;
    binding.target = samplerType == ParamSamplerCube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
    if (texture) {
        // Textures of another device have nothing to bind here.
        auto* handle = dynamic_cast<GLTextureHandle*>(texture);
        if (!handle)
            return;
        binding.target = handle->GetGLTarget();
        binding.texture = handle->GetGLName();
        binding.held = texture;
    }
    auto* sampling = dynamic_cast<GLSamplerState*>(state);

    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    gl.ActiveTexture(GL_TEXTURE0 + static_cast<unsigned int>(unit));
    bool current = context->GetCurrentProgram() == program;
    int previous = 0;
    if (!current)
        gl.GetIntegerv(binding.target == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_BINDING_CUBE_MAP : GL_TEXTURE_BINDING_2D,
                       &previous);
    gl.BindTexture(binding.target, binding.texture);
    if (binding.texture) {
        if (sampling)
            sampling->ApplyToTexture(gl, binding.target);
        else
            GLSamplerState::ApplyDefaultToTexture(gl, binding.target);
    }
    if (!current)
        gl.BindTexture(binding.target, static_cast<unsigned int>(previous));
    // Take the new reference before dropping the old one: it may be the same texture.
    if (binding.held)
        binding.held->AddRef();
    if (Texture* old = units[static_cast<size_t>(unit)].held)
        old->Release();
    units[static_cast<size_t>(unit)] = binding;
}

} // namespace Gralith::Graphics
