#include "tests/support/Expect.h"

#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
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
    void TearDown() override { device->Release(); }
    NullDevice* device = NullDevice::Create();
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
    Shader* vs = device->CreateShader(VertexShader, 0, "vsMain", 0,
                                      "uniform float4x4 World; uniform float4 Light; uniform float Bones[4];");
    Shader* ps = device->CreateShader(PixelShader, 0, "psMain", 0,
                                      "uniform float4 Light; uniform sampler2D DiffuseMap; uniform float3 Ambient;");
    Program* program = device->CreateProgram(vs, ps);
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
    for (Object* o : std::initializer_list<Object*>{program, vs, ps})
        o->Release();
}

} // namespace Gralith::Graphics
