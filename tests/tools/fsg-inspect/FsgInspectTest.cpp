#include "FormatSamples.h"

#include <gtest/gtest.h>

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

#include <string>
#include <vector>

namespace {

class FsgInspectTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        dir.Write(name, std::string(bytes.begin(), bytes.end()));
        return dir / name;
    }

    GralithTest::ProcessResult Run(const std::string& arguments) {
        return GralithTest::RunProcess(std::string(FSG_INSPECT) + " " + arguments + " 2>&1");
    }

    GralithTest::TempDirectory dir;
};

} // namespace

TEST_F(FsgInspectTest, PrintsEverySectionOfAScene) {
    std::string path = Write("rich.fsg", FormatSamples::Bytes(FormatSamples::RichScene(102)));
    GralithTest::ProcessResult r = Run(path);
    EXPECT_EQ(0, r.status) << r.out;
    const char* expected[] = {
        ": FSG102 scene\ngeometries: 1\n  quad-mesh \"Quad\"\n    4 vertices, 6 indices (triangles, int32)\n"
        "      stream 0: POSITION     slot  0, 3 x float, 12 bytes per vertex\n"
        "      stream 1: TEXCOORD0    slot  8, 2 x float, 8 bytes per vertex\n",
        "skins: 1\n  quad-skin \"QuadSkin\" geometry quad-mesh, 2 inverse bind matrices, joints: joint1-node "
        "joint2-node\n",
        "cameras: 1\n  cam \"Camera\" on node camera-node\n    yfov (45)\n    aspect_ratio (linear 2 keys)\n",
        "  lightspot \"spot\" spot\n    color (1, 0.5, 0.25)\n",
        "materials: 1\n  mat \"Material\"\n    diffuse (0.8, 0.7, 0.6, 1)\n    Shininess (12)\n    diffuse texture "
        "checker.png\n",
        "nodes: 4\n  mesh-node \"Mesh\" sid mesh\n    translate (linear 2 keys, 2, 3)\n"
        "    draws geometry quad-mesh with material mat\n    light lightomni\n",
        "    joint1-node \"Joint1\" sid joint1\n      scale (2, 2, 2)\n",
        "        rotate (0, 0, 1, bezier 2 keys)\n",
        "  camera-node \"CameraNode\"\n    lookat (0, 0, 10, 0, 0, 0, 0, 1, 0)\n    perspective (60, 1.5, 0.1, 100)\n"
        "    camera cam\n",
    };
    for (const char* e : expected)
        EXPECT_NE(std::string::npos, r.out.find(e)) << "missing:\n" << e << "\nin:\n" << r.out;
}

TEST_F(FsgInspectTest, ReportsWhyAFileIsInvalidAndFailsTheRun) {
    std::vector<unsigned char> bytes = FormatSamples::Bytes(FormatSamples::RichScene(101));
    bytes.resize(bytes.size() - 3);
    std::string cut = Write("cut.fsg", bytes);
    std::string good = Write("good.fgm", FormatSamples::Bytes(FormatSamples::Quad(100)));
    GralithTest::ProcessResult r = Run(good + " " + cut + " " + dir.Path() + "/missing.fsg");
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.out.find("good.fgm: FGM100 geometry")) << r.out;
    EXPECT_NE(std::string::npos,
              r.out.find("cut.fsg: invalid: Corrupt FSG data: unexpected end of file reading child count"))
        << r.out;
    EXPECT_NE(std::string::npos, r.out.find("missing.fsg: invalid: File not found: ")) << r.out;
    EXPECT_EQ(2, Run("").status);
}
