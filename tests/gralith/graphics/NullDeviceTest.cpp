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

TEST_F(NullDeviceTest, SamplerBindingRecordsTexturesAndRefusesVolumes) {
    Program* program = MakeProgram("uniform float4x4 World;", "uniform sampler2D Map;");
    Texture2D* texture = device->CreateTexture2D(4, 4, PixelFormatR8G8B8A8, false);
    Texture3D* volume = device->CreateTexture3D(4, 4, 4, PixelFormatR8G8B8A8, false);
    SamplerStateDesc desc = {FilterLinear, FilterLinear, FilterNone, AddressClamp, AddressClamp, AddressClamp};
    SamplerState* state = device->CreateSamplerState(desc);
    auto* map = static_cast<NullParameter*>(program->GetParameter("Map"));
    map->SetSampler(texture, state);
    ASSERT_EQ(map->GetTextures().size(), 1u);
    EXPECT_EQ(map->GetTextures()[0], texture);
    EXPECT_EQ(map->GetSamplerStates()[0], state);
    for (Object* o : std::initializer_list<Object*>{state, volume, texture, program})
        o->Release();
}

TEST_F(NullDeviceTest, PresentAndOriginAreConfigurableForTheLayersAbove) {
    EXPECT_TRUE(device->Present());
    device->SetPresentResult(false);
    EXPECT_FALSE(device->Present());
    EXPECT_TRUE(device->HasLowerLeftOrigin());
    device->SetLowerLeftOrigin(false);
    device->SetDepthRangeMinusOneToOne(false);
    EXPECT_FALSE(device->HasLowerLeftOrigin());
    EXPECT_FALSE(device->IsDepthRangeMinusOneToOne());
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 7);
    const NullCall& clear = device->GetCalls().back();
    EXPECT_EQ(clear.Kind, NullClear);
    EXPECT_EQ(clear.Args[0], ClearColor | ClearDepth);
    EXPECT_EQ(clear.Args[1], 7);
    EXPECT_EQ(device->CountCalls(NullPresent), 2);
}

} // namespace Gralith::Graphics
