// The refusal table's Direct3D 9 column, the semantic names Direct3D accepts, and the run-time
// loading of Direct3D: a missing DLL or entry point is named. That nothing of Direct3D is
// imported shows where halcyra.exe runs on OpenGL without d3d9.dll loaded (HalcyraWin32Test).

#include "D3D9TestFixture.h"

#include "gralith/graphics/d3d9/D3D9Runtime.h"

#include "tests/gralith/graphics/RefusalRows.h"

#include <string>
#include <tuple>

namespace Gralith::Graphics {

namespace {

namespace M = Messages;
using namespace RefusalTable;

class D3D9Refusal : public D3D9DeviceTest {};

TEST_F(D3D9Refusal, EveryMisuseThrowsItsMessageAndCode) {
    device->SetProgram(nullptr); // as the other devices run the rows
    RunRows(device, &Outcomes::d3d9);
}

TEST_F(D3D9Refusal, SemanticMapsTakeTheDirect3DNamesAndIndices) {
    for (const char* good : {"POSITION", "POSITION1", "NORMAL2", "COLOR1", "TEXCOORD", "TEXCOORD7", "BLENDWEIGHT",
                             "TESSFACTOR0", "FOGCOORD", "PSIZE1", "BLENDINDICES", "TANGENT", "TANGENT2", "BINORMAL2"}) {
        const char* names[16] = {nullptr, good};
        EXPECT_NO_THROW(Keep(device->CreateSemanticMap(names))) << good;
    }
    for (const char* bad : {"TEXCOORD8", "POSITION2", "COLOR2", "NORMAL3", "BLENDWEIGHT1", "PSIZE2", "ATTR3",
                            "position", "TEXCOORD-1", "TEXCOORD1x", "TEXCOORD007", "FOG", ""}) {
        const char* names[16] = {bad};
        EXPECT_GRALITH_THROW(device->CreateSemanticMap(names), M::D3D9UnsupportedSemantic, 2);
    }
}

TEST_F(D3D9Refusal, InputElementsDirect3DCannotRead) {
    // Unsigned types reach the mapping's default, as the table's unknown type does.
    const std::tuple<DataType, int, const char*, int> cases[] = {{DataTypeInt8, 3, M::D3D9Int8Elements, 2},
                                                                 {DataTypeInt16, 3, M::D3D9Int16Elements, 2},
                                                                 {DataTypeFloat32, 5, M::D3D9Float32Elements, 2},
                                                                 {DataTypeUInt8, 4, M::D3D9UnsupportedDataType, 4}};
    for (const auto& [type, count, message, code] : cases) {
        const InputElementDesc elements[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {3, 0, count, 16, type, 1}};
        EXPECT_GRALITH_THROW(device->CreateInputLayout(elements, 2), message, code);
    }
}

TEST(D3D9Runtime, MissingDllsAndEntryPointsAreNamed) {
    const char* absent[] = {"gralith_absent_d3dx9_43.dll", "gralith_absent_d3dx9_42.dll"};
    EXPECT_GRALITH_THROW(D3D9Runtime::Load(absent, 2), std::string(M::D3D9MissingCompiler) + absent[0], 6);
    // A DLL that loads but is no compiler.
    const char* other[] = {absent[0], "kernel32.dll"};
    EXPECT_GRALITH_THROW(D3D9Runtime::Load(other, 2),
                         std::string(M::D3D9MissingEntryPoint) + "kernel32.dll: D3DXGetVertexShaderProfile", 6);
    EXPECT_STREQ(D3D9Runtime::Get().CompilerDll, "d3dx9_43.dll");
}

} // namespace

} // namespace Gralith::Graphics
