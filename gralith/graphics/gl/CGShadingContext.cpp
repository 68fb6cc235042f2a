#include "gralith/graphics/gl/CGShadingContext.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/gl/CGGralithProgram.h"
#include "gralith/graphics/gl/CGSemanticMap.h"
#include "gralith/graphics/gl/CGShader.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"

namespace Gralith::Graphics {

namespace {
constexpr unsigned int GL_BYTE = 0x1400;
constexpr unsigned int GL_FLOAT = 0x1406;
} // namespace

CGShadingContext::CGShadingContext(GLDevice* device) : device(device) {}

CGShadingContext::~CGShadingContext() = default;

Shader* CGShadingContext::CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int /*reserved*/,
                                       const char* source) {
    if (type == GeometryShader)
        throw Exception(Messages::GeometryShaderType, ErrorUnsupported);
    if (type != VertexShader && type != PixelShader)
        throw Exception(Messages::InvalidShaderType, ErrorInvalidArgument);
    if (sourceFormat != 0)
        throw Exception(Messages::OnlyTextShaders, ErrorUnsupported);
    return new CGShader(device, type, entryPoint, source);
}

Program* CGShadingContext::CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) {
    if (geometryShader)
        throw Exception(Messages::NoGeometryPrograms, ErrorGeneral);
    return CreateProgram(vertexShader, pixelShader);
}

Program* CGShadingContext::CreateProgram(Shader* vertexShader, Shader* pixelShader) {
    auto* vertex = dynamic_cast<CGShader*>(vertexShader);
    auto* pixel = dynamic_cast<CGShader*>(pixelShader);
    // Swapped or foreign shaders would only fail later in the driver's linker, less clearly.
    if (!vertex || !pixel || vertex->GetShaderType() != VertexShader || pixel->GetShaderType() != PixelShader)
        throw Exception(Messages::ProgramStages, ErrorInvalidArgument);
    return new CGGralithProgram(this, vertex, pixel);
}

SemanticMap* CGShadingContext::CreateSemanticMap(const char* const* names) { return new CGSemanticMap(names); }

void CGShadingContext::SetSemanticMap(SemanticMap* map) { semanticMap = dynamic_cast<CGSemanticMap*>(map); }

int CGShadingContext::LocationOfSlot(int semantic) const {
    if (!semanticMap || semantic < 0 || semantic >= SlotLimit)
        return -1;
    return CGSemanticMap::LocationOf(semanticMap->GetEntry(semantic));
}

void CGShadingContext::EnableAttribute(int semantic, int componentCount, unsigned int glType, int stride,
                                       bool normalized, int offset) {
    int location = LocationOfSlot(semantic);
    if (location < 0)
        return;
    bool isFloat = glType == GL_FLOAT;
    // The same rules as the fixed-function arrays these kinds stand for: positions and texture
    // coordinates are never normalized, normals and colours always are.
    switch (semanticMap->GetEntry(semantic).kind) {
    case CGSemanticMap::KindPosition:
        if (!isFloat && normalized)
            throw Exception(Messages::PositionNormalized, ErrorUnsupported);
        if (glType == GL_BYTE)
            throw Exception(Messages::PositionBytes, ErrorUnsupported);
        normalized = false;
        break;
    case CGSemanticMap::KindNormal:
        if (!isFloat && !normalized)
            throw Exception(Messages::NormalUnnormalized, ErrorUnsupported);
        break;
    case CGSemanticMap::KindColor:
        if (!isFloat && !normalized)
            throw Exception(Messages::ColorUnnormalized, ErrorUnsupported);
        break;
    case CGSemanticMap::KindTexCoord: normalized = false; break;
    default: break;
    }
    if (isFloat)
        normalized = false;
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    gl.EnableVertexAttribArray(static_cast<unsigned int>(location));
    gl.VertexAttribPointer(static_cast<unsigned int>(location), componentCount, glType, normalized ? 1 : 0, stride,
                           reinterpret_cast<const void*>(static_cast<std::ptrdiff_t>(offset)));
}

void CGShadingContext::DisableAttribute(int semantic) {
    int location = LocationOfSlot(semantic);
    if (location < 0)
        return;
    device->MakeCurrent();
    device->GL().DisableVertexAttribArray(static_cast<unsigned int>(location));
}

} // namespace Gralith::Graphics
