// halcyra-scene OUTPUT_FILE: writes the show's scene (data/scenes/halcyra2.fsg of the build
// tree). Exit status 0 on success, 1 when the file cannot be written, 2 on usage.
#include "ShowScene.h"

#include "gralith/utils/BinaryWriter.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: halcyra-scene OUTPUT_FILE\n");
        return 2;
    }
    Gralith::Utils::BinaryWriter out;
    Gralith::Utils::SceneGraph::FSGWriter::Write(Halcyra::SceneTool::ShowScene::Build(), out);
    if (!out.SaveTo(argv[1])) {
        std::fprintf(stderr, "halcyra-scene: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("halcyra-scene: %s, %d bytes\n", argv[1], out.GetSize());
    return 0;
}
