#include "GLSLTestShading.h"

#include "gralith/Exception.h"
#include "gralith/Ref.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Texture.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLProgram.h"
#include "gralith/graphics/gl/GLSamplerState.h"
#include "gralith/graphics/gl/GLTextureHandle.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace Gralith::Graphics {

namespace {

class TestShader : public Shader {
public:
    TestShader(GLDevice* device, unsigned int name) : device(device), name(name) {}
    ~TestShader() override { device->GL().DeleteShader(name); }
    Ref<GLDevice> device;
    unsigned int name;
};

class TestParameter : public Parameter {
public:
    TestParameter(GLDevice* device, unsigned int program, const std::string& name, int location)
        : device(device), program(program), name(name), location(location) {}
    const char* GetName() const override { return name.c_str(); }
    ParameterType GetType() const override { return ParamFloat4; }
    int GetArraySize() const override { return 1; }
    bool IsValid() const override { return location >= 0; }
    void SetSamplers(int, Texture* const*, SamplerState* const*) override {}
    void SetSamplers(int, Texture* const*) override {}
    void SetSampler(Texture* texture, SamplerState* state) override {
        auto* handle = dynamic_cast<GLTextureHandle*>(texture);
        const GLFunctions& gl = device->GL();
        gl.ActiveTexture(GL_TEXTURE0);
        gl.BindTexture(handle->GetGLTarget(), handle->GetGLName());
        if (state)
            static_cast<GLSamplerState*>(state)->ApplyToTexture(gl, handle->GetGLTarget());
        else
            GLSamplerState::ApplyDefaultToTexture(gl, handle->GetGLTarget());
        Use([&] { gl.Uniform1i(location, 0); });
    }
    void SetSampler(Texture* texture) override { SetSampler(texture, nullptr); }
    void SetFloat(int, const float*) override {}
    void SetFloat2(int, const float*) override {}
    void SetFloat3(int, const float*) override {}
    void SetFloat4(int count, const float* values) override {
        Use([&] { device->GL().Uniform4fv(location, count, values); });
    }
    void SetInt(int, const std::int32_t*) override {}
    void SetInt2(int, const std::int32_t*) override {}
    void SetInt3(int, const std::int32_t*) override {}
    void SetInt4(int, const std::int32_t*) override {}
    void SetBool(int, const std::int32_t*) override {}
    void SetBool2(int, const std::int32_t*) override {}
    void SetBool3(int, const std::int32_t*) override {}
    void SetBool4(int, const std::int32_t*) override {}
    void SetMatrix2x2(int, const float*) override {}
    void SetMatrix3x3(int, const float*) override {}
    void SetMatrix4x4(int, const float*) override {}

private:
    template <class F>
    void Use(F set) {
        const GLFunctions& gl = device->GL();
        gl.UseProgram(program);
        set();
        // Leave the device's current program bound, as the device believes.
        Program* current = device->GetProgram();
        gl.UseProgram(current ? CurrentName(current) : 0);
    }
    static unsigned int CurrentName(Program* program);

    GLDevice* device;
    unsigned int program;
    std::string name;
    int location;
};

class TestProgram : public GLProgram {
public:
    TestProgram(GLDevice* device, unsigned int name) : device(device), name(name) {}
    ~TestProgram() override {
        for (auto& p : parameters)
            p.second->Release();
        device->GL().DeleteProgram(name);
    }
    int GetParameterCount() override { return 0; }
    Parameter* GetParameter(const char* parameterName) override {
        auto it = parameters.find(parameterName);
        if (it != parameters.end())
            return it->second;
        auto* p =
            new TestParameter(device.Get(), name, parameterName, device->GL().GetUniformLocation(name, parameterName));
        parameters[parameterName] = p;
        return p;
    }
    Parameter* GetParameter(int) override { return nullptr; }
    void Bind() override { device->GL().UseProgram(name); }
    unsigned int Name() const { return name; }

private:
    Ref<GLDevice> device;
    unsigned int name;
    std::map<std::string, TestParameter*> parameters;
};

unsigned int TestParameter::CurrentName(Program* program) { return static_cast<TestProgram*>(program)->Name(); }

class TestSemanticMap : public SemanticMap {
public:
    explicit TestSemanticMap(const char* const* names) {
        for (int i = 0; i < 16; ++i)
            if (names[i])
                this->names[i] = names[i];
    }
    std::string names[16];
};

int LocationOf(const std::string& semantic) {
    if (semantic == "POSITION")
        return 0;
    if (semantic == "NORMAL")
        return 2;
    if (semantic == "COLOR")
        return 3;
    if (semantic.compare(0, 8, "TEXCOORD") == 0)
        return 8 + (semantic.size() > 8 ? std::atoi(semantic.c_str() + 8) : 0);
    if (semantic.compare(0, 4, "ATTR") == 0)
        return std::atoi(semantic.c_str() + 4);
    return -1;
}

class TestShading : public GLShadingContext {
public:
    explicit TestShading(GLDevice* device) : device(device) {}
    Shader* CreateShader(ShaderType type, int, const char*, int, const char* source) override {
        const GLFunctions& gl = device->GL();
        unsigned int shader = gl.CreateShader(type == VertexShader ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER);
        gl.ShaderSource(shader, 1, &source, nullptr);
        gl.CompileShader(shader);
        int ok = 0;
        gl.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
        if (!ok) {
            char log[2048] = {};
            gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
            gl.DeleteShader(shader);
            throw Exception(log, 5);
        }
        return new TestShader(device, shader);
    }
    Program* CreateProgram(Shader* v, Shader* p, Shader* g) override {
        if (g)
            throw Exception("This implementation does not support geometry shaders", 0);
        return CreateProgram(v, p);
    }
    Program* CreateProgram(Shader* v, Shader* p) override {
        const GLFunctions& gl = device->GL();
        unsigned int program = gl.CreateProgram();
        gl.AttachShader(program, static_cast<TestShader*>(v)->name);
        gl.AttachShader(program, static_cast<TestShader*>(p)->name);
        gl.BindAttribLocation(program, 0, "a_POSITION");
        gl.BindAttribLocation(program, 3, "a_COLOR");
        gl.BindAttribLocation(program, 8, "a_TEXCOORD0");
        gl.LinkProgram(program);
        int ok = 0;
        gl.GetProgramiv(program, GL_LINK_STATUS, &ok);
        if (!ok) {
            char log[2048] = {};
            gl.GetProgramInfoLog(program, sizeof log, nullptr, log);
            throw Exception(log, 0);
        }
        return new TestProgram(device, program);
    }
    SemanticMap* CreateSemanticMap(const char* const* names) override { return new TestSemanticMap(names); }
    void SetSemanticMap(SemanticMap* map) override { this->map = static_cast<TestSemanticMap*>(map); }
    void EnableAttribute(int semantic, int count, unsigned int type, int stride, bool normalized, int offset) override {
        int location = map ? LocationOf(map->names[semantic]) : -1;
        if (location < 0)
            return;
        const GLFunctions& gl = device->GL();
        gl.EnableVertexAttribArray(static_cast<unsigned int>(location));
        gl.VertexAttribPointer(static_cast<unsigned int>(location), count, type, normalized, stride,
                               reinterpret_cast<const void*>(static_cast<std::intptr_t>(offset)));
        ++enabled;
    }
    void DisableAttribute(int semantic) override {
        int location = map ? LocationOf(map->names[semantic]) : -1;
        if (location >= 0)
            device->GL().DisableVertexAttribArray(static_cast<unsigned int>(location));
    }
    bool HasCapability(int value) const override { return value == 1; }

    int enabled = 0;

private:
    GLDevice* device;
    TestSemanticMap* map = nullptr;
};

} // namespace

GLShadingContext* CreateGLSLTestShading(GLDevice* device) { return new TestShading(device); }

} // namespace Gralith::Graphics
