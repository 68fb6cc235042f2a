// Writes the seed corpora of the FGM and FSG fuzzers: the sample blocks and scenes the loader
// tests use, one file each. Usage: make-scene-seeds FGM_DIR FSG_DIR
#include "FormatSamples.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool Save(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-scene-seeds FGM_DIR FSG_DIR\n");
        return 2;
    }
    const std::string fgm = argv[1], fsg = argv[2];
    bool ok = Save(fgm + "/quad100.fgm", FormatSamples::Bytes(FormatSamples::Quad(100))) &&
              Save(fgm + "/quad101.fgm", FormatSamples::Bytes(FormatSamples::Quad(101))) &&
              Save(fgm + "/mixed.fgm", FormatSamples::Bytes(FormatSamples::MixedTypes())) &&
              Save(fsg + "/rich101.fsg", FormatSamples::Bytes(FormatSamples::RichScene(101))) &&
              Save(fsg + "/rich102.fsg", FormatSamples::Bytes(FormatSamples::RichScene(102)));
    if (!ok)
        std::fprintf(stderr, "make-scene-seeds: cannot write the seeds\n");
    return ok ? 0 : 1;
}
