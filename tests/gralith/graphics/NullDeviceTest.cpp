#include "tests/support/Expect.h"

#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/Texture3D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/graphics/null/NullShading.h"

#include <cstring>
#include <vector>

namespace Gralith::Graphics {

namespace {

class NullDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { device = NullDevice::Create(); }
    void TearDown() override { device->Release(); }
    Program* MakeProgram(const char* vertex, const char* pixel) {
        Shader* vs = device->CreateShader(VertexShader, 0, "vsMain", 0, vertex);
        Shader* ps = device->CreateShader(PixelShader, 0, "psMain", 0, pixel);
        Program* program = device->CreateProgram(vs, ps);
        shaders.push_back(vs);
        shaders.push_back(ps);
        return program;
    }
    NullDevice* device = nullptr;
    std::vector<Shader*> shaders;

public:
    ~NullDeviceTest() override {
        for (Shader* s : shaders)
            s->Release();
    }
};

} // namespace

TEST_F(NullDeviceTest, BufferSetDataCopiesBytesAndChecksTheRange) {
    VertexBuffer* buffer = device->CreateVertexBuffer(BufferModeVolatile, 16, 8);
    const unsigned char bytes[4] = {1, 2, 3, 4};
    buffer->SetData(bytes, 12, 4);
    EXPECT_EQ(std::memcmp(static_cast<NullVertexBuffer*>(buffer)->GetBytes() + 12, bytes, 4), 0);
    EXPECT_EQ(device->GetStatistics().BufferUploads, 1u);
    const NullCall& upload = device->GetCalls().back();
    EXPECT_EQ(upload.Kind, NullBufferUpload);
    EXPECT_EQ(upload.Args[0], 12);
    EXPECT_EQ(upload.Args[1], 4);
    // Size 0 writes to the end of the buffer.
    std::vector<unsigned char> whole(16, 9);
    buffer->SetData(whole.data(), 0, 0);
    EXPECT_EQ(device->GetCalls().back().Args[1], 16);
    buffer->Release();
}

TEST_F(NullDeviceTest, ProgramListsUniformsOfBothStagesOnceInNameOrder) {
    Program* program = MakeProgram("uniform float4x4 World; uniform float4 Light; uniform float Bones[4];",
                                   "uniform float4 Light; uniform sampler2D DiffuseMap; uniform float3 Ambient;");
    ASSERT_EQ(program->GetParameterCount(), 5);
    const char* order[] = {"Ambient", "Bones", "DiffuseMap", "Light", "World"};
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(program->GetParameter(i)->GetName(), order[i]);
    auto* light = static_cast<NullParameter*>(program->GetParameter("Light"));
    EXPECT_TRUE(light->HasVertexStage() && light->HasPixelStage());
    EXPECT_EQ(program->GetParameter("DiffuseMap")->GetType(), ParamSampler2D);
    EXPECT_EQ(program->GetParameter("Bones")->GetArraySize(), 4);
    EXPECT_EQ(program->GetParameter("Bones")->GetType(), ParamFloat);
    EXPECT_EQ(program->GetParameter("World")->GetArraySize(), 1);
    program->Release();
}

} // namespace Gralith::Graphics
