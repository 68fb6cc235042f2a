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

TEST_F(NullDeviceTest, TextureRulesFollowTheInterface) {
    Texture2D* renderable = device->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, true);
    Texture2D* plain = device->CreateTexture2D(8, 4, PixelFormatR8G8B8A8, false);
    plain->SetData(1, nullptr, true);
    EXPECT_EQ(static_cast<NullTexture2D*>(plain)->GetUploadCount(1), 1);
    EXPECT_EQ(device->CountCalls(NullGenerateMipmaps), 1);
    Surface* level1 = plain->GetSurface(1);
    EXPECT_EQ(level1, plain->GetSurface(1));
    EXPECT_EQ(level1->GetWidth(), 4);
    EXPECT_EQ(level1->GetHeight(), 2);
    Texture2D* luminance = device->CreateTexture2D(8, 8, PixelFormatLuminance8, false);
    TextureCube* cube = device->CreateTextureCube(8, PixelFormatR8G8B8A8, false);
    cube->SetData(NegativeZ, 0, nullptr, false);
    EXPECT_EQ(static_cast<NullTextureCube*>(cube)->GetUploadCount(NegativeZ, 0), 1);
    EXPECT_EQ(static_cast<NullTextureCube*>(cube)->GetUploadCount(PositiveZ, 0), 0);
    Texture3D* volume = device->CreateTexture3D(4, 4, 4, PixelFormatR8G8B8A8, false);
    EXPECT_EQ(volume->GetType(), TextureType::Texture3D);
    for (Object* o : std::initializer_list<Object*>{renderable, plain, luminance, cube, volume})
        o->Release();
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

TEST_F(NullDeviceTest, PixelOnlyUniformReceivesEverySetter) {
    Program* program = MakeProgram("uniform float4x4 World;", "uniform float4 Tint;");
    auto* tint = static_cast<NullParameter*>(program->GetParameter("Tint"));
    EXPECT_TRUE(tint->IsValid());
    EXPECT_FALSE(tint->HasVertexStage());
    float values[4] = {0.5f, 0.25f, 1, 0};
    tint->SetFloat4(1, values);
    EXPECT_EQ(tint->GetValues(), (std::vector<float>{0.5f, 0.25f, 1, 0}));
    std::int32_t ints[4] = {1, 0, 3, 4};
    tint->SetInt4(1, ints);
    EXPECT_EQ(tint->GetValues(), (std::vector<float>{1, 0, 3, 4}));
    EXPECT_EQ(tint->GetSetCount(), 2);
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

TEST_F(NullDeviceTest, InputLayoutKeepsElementsInCreationOrder) {
    InputElementDesc elements[] = {
        {0, 0, 3, 0, DataTypeFloat32, 0}, {3, 1, 4, 12, DataTypeUInt8, 1}, {8, 0, 2, 24, DataTypeInt16, 0}};
    InputLayout* layout = device->CreateInputLayout(elements, 3);
    InputElementDesc out[2] = {};
    EXPECT_EQ(layout->GetElements(2, out), 2);
    EXPECT_EQ(out[1].Stream, 1);
    EXPECT_EQ(out[1].Type, DataTypeUInt8);
    InputElementDesc all[4] = {};
    EXPECT_EQ(layout->GetElements(4, all), 3);
    EXPECT_EQ(all[2].Offset, 24);
    std::vector<InputElementDesc> tooMany(17, elements[0]);
    layout->Release();
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
