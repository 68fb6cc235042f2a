#include "TestSupport.h"

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
    EXPECT_GRALITH_THROW(buffer->SetData(bytes, 13, 4), "Buffer access outside the buffer", 4);
    EXPECT_GRALITH_THROW(buffer->SetData(bytes, -1, 4), "Buffer access outside the buffer", 4);
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

TEST_F(NullDeviceTest, BufferLocksOnceAtATime) {
    IndexBuffer* buffer = device->CreateIndexBuffer(BufferModeStatic, 32, static_cast<IndexType>(7));
    EXPECT_EQ(buffer->GetIndexType(), IndexType32); // anything but 1 means 32-bit
    auto* p = static_cast<unsigned char*>(buffer->Lock(LockWriteOnly, 8, 8));
    EXPECT_EQ(p, static_cast<NullIndexBuffer*>(buffer)->GetBytes() + 8);
    EXPECT_GRALITH_THROW(buffer->Lock(LockReadOnly, 0, 0), "Buffer allready locked", 3);
    buffer->Unlock();
    EXPECT_GRALITH_THROW(
        buffer->Lock(static_cast<LockMode>(3), 0, 0),
        "Invalid lock operation. Buffer can not be locked with read-only and write-only at the same time", 3);
    EXPECT_NE(buffer->Lock(LockReadWrite, 0, 0), nullptr);
    buffer->Unlock();
    EXPECT_GRALITH_THROW(device->CreateVertexBuffer(static_cast<BufferMode>(3), 8, 8), "Invalid buffer mode enum", 4);
    buffer->Release();
}

TEST_F(NullDeviceTest, TextureRulesFollowTheInterface) {
    Texture2D* renderable = device->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, true);
    EXPECT_GRALITH_THROW(renderable->SetData(0, nullptr, false), "SetData() not allowed on renderable textures", 3);
    Texture2D* plain = device->CreateTexture2D(8, 4, PixelFormatR8G8B8A8, false);
    plain->SetData(1, nullptr, true);
    EXPECT_EQ(static_cast<NullTexture2D*>(plain)->GetUploadCount(1), 1);
    EXPECT_EQ(device->CountCalls(NullGenerateMipmaps), 1);
    EXPECT_GRALITH_THROW(plain->SetData(4, nullptr, false), "Invalid mipmap level", 4);
    Surface* level1 = plain->GetSurface(1);
    EXPECT_EQ(level1, plain->GetSurface(1));
    EXPECT_EQ(level1->GetWidth(), 4);
    EXPECT_EQ(level1->GetHeight(), 2);
    Texture2D* luminance = device->CreateTexture2D(8, 8, PixelFormatLuminance8, false);
    EXPECT_GRALITH_THROW(luminance->GetSurface(0), "Can't get surfaces from PixelFormatLuminance8 textures", 0);
    TextureCube* cube = device->CreateTextureCube(8, PixelFormatR8G8B8A8, false);
    EXPECT_GRALITH_THROW(cube->SetData(static_cast<CubeFace>(6), 0, nullptr, false), "Invalid texture face enum", 4);
    cube->SetData(NegativeZ, 0, nullptr, false);
    EXPECT_EQ(static_cast<NullTextureCube*>(cube)->GetUploadCount(NegativeZ, 0), 1);
    EXPECT_EQ(static_cast<NullTextureCube*>(cube)->GetUploadCount(PositiveZ, 0), 0);
    Texture3D* volume = device->CreateTexture3D(4, 4, 4, PixelFormatR8G8B8A8, false);
    EXPECT_EQ(volume->GetType(), TextureType::Texture3D);
    EXPECT_GRALITH_THROW(volume->SetData(0, nullptr, false), "3d textures SetData not implemented", 2);
    EXPECT_GRALITH_THROW(volume->GetSurface(0), "Can not get surfaces from 3d-textures", 2);
    EXPECT_GRALITH_THROW(device->CreateTexture2D(4, 4, static_cast<PixelFormat>(11), false), "Unsupported pixel format",
                         4);
    for (Object* o : std::initializer_list<Object*>{renderable, plain, luminance, cube, volume})
        o->Release();
}

TEST_F(NullDeviceTest, CopyChecksMatchTheOpenGLBackend) {
    Surface* color = device->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0);
    Surface* depth = device->CreateSurface(8, 8, PixelFormatDepth16, 0);
    Texture2D* plain = device->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, false);
    EXPECT_GRALITH_THROW(depth->Copy(color, 0, 0, 8, 8, 0, 0, 8, 8, FilterLinear),
                         "Surface::Copy(): Source/destination buffer is of incompatible types.", 1);
    EXPECT_GRALITH_THROW(color->Copy(plain->GetSurface(0), 0, 0, 8, 8, 0, 0, 8, 8, FilterLinear),
                         "Surface::Copy(): both source and destination surfaces must be renderable", 0);
    EXPECT_GRALITH_THROW(color->Copy(color, 0, 0, 8, 8, 0, 0, 8, 8, FilterNone), "Surface::Copy(): invalid filter mode",
                         4);
    device->GetBackBuffer()->Copy(color, 0, 0, 8, 8, 0, 0, 640, 480, FilterLinear);
    EXPECT_EQ(device->CountCalls(NullCopy), 1);
    EXPECT_GRALITH_THROW(device->CreateSurface(8, 8, PixelFormatR8G8B8A8, 8),
                         "CreateSurface(): This device doesn't support this number of multisamples", 2);
    EXPECT_GRALITH_THROW(device->CreateSurface(8, 8, PixelFormatLuminance8, 0), "Unsupported surface format", 2);
    for (Object* o : std::initializer_list<Object*>{color, depth, plain})
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

TEST_F(NullDeviceTest, UnknownParameterIsInvalidCachedAndInert) {
    Program* program = MakeProgram("uniform float4x4 World;", "uniform float4 Tint;");
    Parameter* missing = program->GetParameter("Nowhere");
    EXPECT_EQ(missing, program->GetParameter("Nowhere"));
    EXPECT_FALSE(missing->IsValid());
    EXPECT_EQ(missing->GetArraySize(), 0);
    EXPECT_GRALITH_THROW(missing->GetType(), "GetParameterType(): Parameter is not valid", 0);
    float values[4] = {1, 2, 3, 4};
    missing->SetFloat4(1, values);
    EXPECT_EQ(static_cast<NullParameter*>(missing)->GetSetCount(), 0);
    EXPECT_EQ(program->GetParameterCount(), 2); // not added to the link-time list
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

TEST_F(NullDeviceTest, MatrixCountIsLimitedTo256) {
    Program* program = MakeProgram("uniform float4x4 Bones[256];", "uniform float4 Tint;");
    Parameter* bones = program->GetParameter("Bones");
    std::vector<float> matrices(257 * 16, 1.0f);
    bones->SetMatrix4x4(256, matrices.data());
    EXPECT_EQ(static_cast<NullParameter*>(bones)->GetValues().size(), 256u * 16u);
    EXPECT_GRALITH_THROW(bones->SetMatrix4x4(257, matrices.data()), "Number of matrices too large, 256 is max", 3);
    EXPECT_EQ(static_cast<NullParameter*>(bones)->GetSetCount(), 1);
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
    EXPECT_GRALITH_THROW(map->SetSampler(volume), "SetSampler(): 3D textures not supported by this device (yet)", 0);
    for (Object* o : std::initializer_list<Object*>{state, volume, texture, program})
        o->Release();
}

TEST_F(NullDeviceTest, ShaderAndProgramCreationRefusals) {
    EXPECT_GRALITH_THROW(device->CreateShader(GeometryShader, 0, "gsMain", 0, ""),
                         "Non-default geometry shaders is not supported by this backend", 2);
    EXPECT_GRALITH_THROW(device->CreateShader(static_cast<ShaderType>(3), 0, "x", 0, ""), "Invalid shader type enum",
                         4);
    EXPECT_GRALITH_THROW(device->CreateShader(VertexShader, 1, "vsMain", 0, ""),
                         "Only CG text shaders is supported by this backend", 2);
    Shader* vs = device->CreateShader(VertexShader, 0, "vsMain", 0, "");
    Shader* ps = device->CreateShader(PixelShader, 0, "psMain", 0, "");
    Program* before = device->GetProgram();
    EXPECT_GRALITH_THROW(device->CreateProgram(vs, ps, vs), "This implementation does not support geometry shaders", 0);
    EXPECT_EQ(device->GetProgram(), before);
    EXPECT_GRALITH_THROW(device->CreateProgram(vs, nullptr), "A program needs a vertex shader and a pixel shader", 3);
    vs->Release();
    ps->Release();
}

TEST_F(NullDeviceTest, SemanticMapAcceptsTheOpenGLNamesOnly) {
    const char* good[16] = {"POSITION", "ATTR3", "NORMAL", "COLOR", "TEXCOORD", "TEXCOORD7", "ATTR15"};
    SemanticMap* map = device->CreateSemanticMap(good);
    EXPECT_STREQ(static_cast<NullSemanticMap*>(map)->GetName(1), "ATTR3");
    map->Release();
    for (const char* bad : {"TEXCOORD8", "TANGENT", "ATTR16", "POSITION0x", "position", "TEXCOORD-1"}) {
        const char* names[16] = {bad};
        EXPECT_GRALITH_THROW(device->CreateSemanticMap(names),
                             "The semantic is not supported by this backend (OpenGL+CG)", 3);
    }
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
    EXPECT_GRALITH_THROW(device->CreateInputLayout(tooMany.data(), 17), "Invalid input element count", 4);
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
