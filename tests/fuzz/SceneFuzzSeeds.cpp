// Writes the seed corpora of the FGM and FSG fuzz targets: the sample blocks and scenes the
// loader tests use, one file each. Usage: fuzz_scene_seeds <directory>; the files go to
// <directory>/fgm and <directory>/fsg.
#include "FormatSamples.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

bool Save(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_scene_seeds <directory>\n");
        return 2;
    }
    const std::string fgm = std::string(argv[1]) + "/fgm", fsg = std::string(argv[1]) + "/fsg";
    std::filesystem::create_directories(fgm);
    std::filesystem::create_directories(fsg);
    bool ok = Save(fgm + "/quad100.fgm", FormatSamples::Bytes(FormatSamples::Quad(100))) &&
              Save(fgm + "/quad101.fgm", FormatSamples::Bytes(FormatSamples::Quad(101))) &&
              Save(fgm + "/mixed.fgm", FormatSamples::Bytes(FormatSamples::MixedTypes())) &&
              Save(fsg + "/rich101.fsg", FormatSamples::Bytes(FormatSamples::RichScene(101))) &&
              Save(fsg + "/rich102.fsg", FormatSamples::Bytes(FormatSamples::RichScene(102)));
    if (!ok)
        std::fprintf(stderr, "fuzz_scene_seeds: cannot write the seeds\n");
    return ok ? 0 : 1;
}
