#include "gralith/graphics/gl/CGShader.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include <string>
#include <vector>

namespace Gralith::Graphics {

namespace {
constexpr unsigned int GL_FRAGMENT_SHADER = 0x8B30;
constexpr unsigned int GL_VERTEX_SHADER = 0x8B31;
constexpr unsigned int GL_COMPILE_STATUS = 0x8B81;
constexpr unsigned int GL_INFO_LOG_LENGTH = 0x8B84;
} // namespace

CGShader::CGShader(GLDevice* device, ShaderType type, const char* entryPoint, const char* source)
    : device(device), type(type), entryPoint(entryPoint ? entryPoint : "") {
    // The device gets no file name; the entry point names the source in diagnostics.
    translation = CgTranslator::Translate(
        source, entryPoint, type == VertexShader ? CgTranslator::StageVertex : CgTranslator::StagePixel, entryPoint);
    shader = CompileGLSL(device, type, translation.glsl.CStr(), entryPoint);
}

unsigned int CGShader::CompileGLSL(GLDevice* device, ShaderType type, const char* glsl, const char* name) {
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    unsigned int shader = gl.CreateShader(type == VertexShader ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
    if (!shader)
        throw Exception(Messages::ShaderObjectCreation, ErrorGeneral);
    gl.ShaderSource(shader, 1, &glsl, nullptr);
    gl.CompileShader(shader);
    int status = 0;
    gl.GetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (!status) {
        // The translation should always compile; if the driver disagrees, report its reason.
        int length = 0;
        gl.GetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        gl.GetShaderInfoLog(shader, static_cast<int>(log.size()), nullptr, log.data());
        gl.DeleteShader(shader);
        std::string message = CgTranslator::CompileErrorText;
        message += "\n\n";
        message += std::string("ERROR: ") + (name ? name : "") + ": the driver refused the translated shader:\n";
        message += log.data();
        message += "\n\n";
        throw Exception(message.c_str(), ErrorGeneral);
    }
    return shader;
}

CGShader::~CGShader() {
    device->MakeCurrent();
    device->GL().DeleteShader(shader);
}

} // namespace Gralith::Graphics
