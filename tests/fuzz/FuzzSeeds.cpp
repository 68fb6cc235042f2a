// Writes the seed corpora of the fuzz targets: small valid and nearly valid PNG, JPEG and
// TrueType files covering the formats the loaders handle. Usage: fuzz_seeds <directory>; the
// files go to <directory>/png, jpeg and truetype.
#include "TinyTrueType.h"

#include "../gralith/utils/assets/loaders/ImageEncoding.h"

#include <cstdio>
#include <filesystem>
#include <string>

using namespace GralithTest;

namespace {

PngImage Png(int width, int height, int colorType, int depth, bool interlaced = false)
{
    PngImage image;
    image.width = width;
    image.height = height;
    image.colorType = colorType;
    image.bitDepth = depth;
    image.interlaced = interlaced;
    int channels = colorType == 2 ? 3 : colorType == 6 ? 4 : colorType == 4 ? 2 : 1;
    unsigned top = (1u << depth) - 1;
    for (int i = 0; i < width * height * channels; ++i)
        image.samples.push_back(unsigned(i * 7919) % (top + 1));
    return image;
}

Bytes Pixels(int width, int height, int components)
{
    Bytes out;
    for (int i = 0; i < width * height * components; ++i)
        out.push_back(static_cast<unsigned char>(i * 37 + i / 7));
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <directory>\n");
        return 2;
    }
    namespace fs = std::filesystem;
    fs::path root = argv[1];
    for (const char* kind : {"png", "jpeg", "truetype"})
        fs::create_directories(root / kind);
    auto write = [&](const char* kind, const std::string& name, const Bytes& bytes) {
        WriteBinaryFile((root / kind / name).string(), bytes);
    };

    write("png", "rgb8.png", EncodePng(Png(8, 8, 2, 8)));
    write("png", "rgba16.png", EncodePng(Png(3, 3, 6, 16)));
    write("png", "grey1.png", EncodePng(Png(9, 2, 0, 1)));
    write("png", "grey8.png", EncodePng(Png(4, 4, 0, 8)));
    write("png", "greyalpha8.png", EncodePng(Png(2, 2, 4, 8)));
    write("png", "interlaced.png", EncodePng(Png(9, 9, 2, 8, true)));
    PngImage palette = Png(5, 3, 3, 2);
    palette.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9};
    palette.transparency = {0, 128};
    write("png", "palette2trns.png", EncodePng(palette));
    PngImage key = Png(4, 2, 2, 8);
    key.transparency = {0, 7, 14};
    write("png", "rgbtrns.png", EncodePng(key));

    write("jpeg", "baseline.jpg", EncodeJpeg(16, 16, 3, Pixels(16, 16, 3), 80));
    write("jpeg", "progressive.jpg", EncodeJpeg(24, 8, 3, Pixels(24, 8, 3), 70, true));
    write("jpeg", "grey.jpg", EncodeJpeg(8, 8, 1, Pixels(8, 8, 1), 90));
    write("jpeg", "cmyk.jpg", EncodeJpeg(8, 8, 4, Pixels(8, 8, 4), 90));

    std::vector<unsigned char> font = GralithFuzz::MakeTinyTrueType();
    write("truetype", "tiny.ttf", Bytes(font.begin(), font.end()));
    Bytes sized(font.begin(), font.end());
    sized.push_back(3); // the fuzzer reads the last byte as the pixel size
    write("truetype", "tiny-size4.ttf", sized);
    return 0;
}
