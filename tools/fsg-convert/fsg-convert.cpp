// fsg-convert [options] IN OUT.fsg: converts a scene from a modelling tool's file into an FSG
// scene for the engine, textures beside it; --list IN prints what IN holds and what would be
// left out. What the engine cannot hold is named on stderr. Exit status: 0 converted (or
// listed), 1 unreadable input or unwritable output, 2 usage.
#include "GltfFile.h"
#include "Options.h"
#include "SceneConverter.h"

#include "gralith/utils/BinaryWriter.h"

#include <assimp/Importer.hpp>
#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace FsgConvert;

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "fsg-convert: %s\n", message.c_str());
    return 1;
}

int Run(const Options& options) {
    const auto start = std::chrono::steady_clock::now();
    std::error_code error;
    if (!std::filesystem::is_regular_file(options.input, error))
        return Fail("cannot read " + options.input + ": no such file");

    std::unique_ptr<GltfFile> gltf;
    std::string gltfProblem;
    if (GltfFile::Names(options.input)) {
        try {
            gltf = std::make_unique<GltfFile>(options.input);
        } catch (const std::exception& e) {
            gltfProblem = std::string("glTF animation details (") + e.what() + "): keys are taken as linear";
        }
        if (gltf && !gltf->importerTrap.empty())
            return Fail("cannot read " + options.input + ": " + gltf->importerTrap);
    }

    Assimp::Importer importer;
    // Without meshes some importers make a stand-in mesh of the skeleton; it is nothing to draw.
    importer.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
    // Polygons become triangles and each mesh holds one kind of primitive; the checks make a
    // malformed file an error here rather than a crash later.
    const aiScene* scene =
        importer.ReadFile(options.input, aiProcess_Triangulate | aiProcess_SortByPType |
                                             aiProcess_JoinIdenticalVertices | aiProcess_ValidateDataStructure);
    if (!scene)
        return Fail("cannot read " + options.input + ": " + importer.GetErrorString());

    Conversion conversion = ConvertScene(*scene, gltf.get(), options);
    if (!gltfProblem.empty())
        conversion.leftOut.insert(conversion.leftOut.begin(), gltfProblem);

    if (options.list) {
        std::printf("%s:\n", options.input.c_str());
        for (const std::string& line : conversion.listing)
            std::printf("  %s\n", line.c_str());
        std::printf("left out:%s\n", conversion.leftOut.empty() ? " nothing" : "");
        for (const std::string& line : conversion.leftOut)
            std::printf("  %s\n", line.c_str());
        return 0;
    }

    Gralith::Utils::BinaryWriter out;
    Gralith::Utils::SceneGraph::FSGWriter::Write(conversion.scene, out);
    if (!out.SaveTo(options.output.c_str()))
        return Fail("cannot write " + options.output);
    const std::filesystem::path folder = std::filesystem::path(options.output).parent_path();
    size_t textureBytes = 0;
    for (const TextureFile& texture : conversion.textures) {
        const std::filesystem::path path = folder / texture.name;
        std::ofstream file(path, std::ios::binary);
        file.write(texture.bytes.data(), static_cast<std::streamsize>(texture.bytes.size()));
        if (!file.flush())
            return Fail("cannot write " + path.string());
        textureBytes += texture.bytes.size();
    }
    for (const std::string& line : conversion.leftOut)
        std::fprintf(stderr, "fsg-convert: left out: %s\n", line.c_str());

    const auto& s = conversion.scene;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("fsg-convert: wrote %s (%d bytes) and %zu textures (%zu bytes) in %.1f ms: %d nodes, %d meshes "
                "(%d vertices), %d materials, %d cameras, %d lights, %d animated transformations (%d keys read, %d "
                "written)\n",
                options.output.c_str(), out.GetSize(), conversion.textures.size(), textureBytes, ms, conversion.nodes,
                s.geometries.Count(), conversion.vertices, s.materials.Count(), s.cameras.Count(), s.lights.Count(),
                conversion.animatedTransformations, conversion.sourceKeys, conversion.writtenKeys);
    return 0;
}

int Guarded(const Options& options) {
    try {
        return Run(options);
    } catch (const std::exception& e) {
        return Fail("cannot convert " + options.input + ": " + e.what());
    }
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            std::fputs(UsageText, stdout);
            return 0;
        }
    Options options;
    try {
        options = ParseOptions(argc - 1, argv + 1);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "fsg-convert: %s\n%s", e.what(), UsageText);
        return 2;
    }
#ifdef _WIN32
    return Guarded(options);
#else
    // The importer is a large library that some damaged files crash: it runs in a child process,
    // so that a crash becomes a message and exit status 1.
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return Guarded(options);
    if (child == 0) {
        const int status = Guarded(options);
        std::fflush(nullptr);
        _exit(status);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return Fail("cannot read " + options.input + ": reading it stopped with signal " +
                std::to_string(WIFSIGNALED(status) ? WTERMSIG(status) : 0) + " (" +
                strsignal(WIFSIGNALED(status) ? WTERMSIG(status) : 0) + ")");
#endif
}
