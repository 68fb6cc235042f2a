// Every image of libpng's own test collection (contrib/pngsuite and contrib/testpngs, fetched by
// scripts/fetch-png-test-images.sh) decoded by PNGLoader and, as an independent reference, by
// libpng's simplified reading API. Accepted formats must match pixel for pixel, grey formats the
// engine refuses must be refused, and files the reference rejects must fail with the loader's
// message.

#include "LoaderTestSupport.h"

#include "gralith/utils/InputFile.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/loaders/PNGLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <png.h>
#include <string>
#include <vector>

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace Gralith::Utils::Assets::Loaders;
using namespace GralithTest;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The engine hands the file's samples on as they are, while the simplified API converts from the
// file's gamma to that of its output. Without the colour-space chunks an 8-bit file counts as
// sRGB, like 8-bit output, so the reference converts nothing either.
Bytes WithoutColourSpaceChunks(const Bytes& file) {
    Bytes out(file.begin(), file.begin() + std::min<std::size_t>(8, file.size()));
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        std::size_t length = (std::size_t(file[at]) << 24) | (file[at + 1] << 16) | (file[at + 2] << 8) | file[at + 3];
        std::size_t end = std::min(file.size(), at + 12 + length);
        std::string type(file.begin() + long(at + 4), file.begin() + long(at + 8));
        if (type != "gAMA" && type != "cHRM" && type != "sRGB" && type != "iCCP")
            out.insert(out.end(), file.begin() + long(at), file.begin() + long(end));
        at = end;
    }
    out.insert(out.end(), file.begin() + long(std::min(at, file.size())), file.end());
    return out;
}

// The reference decoding: RGBA, top row first, 8-bit samples for files of up to 8 bits and
// 16-bit samples for 16-bit files; no pixels when libpng rejects the file.
struct Reference {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<unsigned> samples;
};

// 16-bit files are read as 16-bit linear output: in libpng 1.6.39 the simplified API garbles
// interlaced 16-bit images reduced to 8 bits (ibasn2c16 differs from basn2c16, the same picture
// sequential), while its 16-bit output of both is right. With the colour-space chunks gone a
// 16-bit file counts as linear already, so nothing is converted; the output is premultiplied.
Reference ReferenceDecode(const Bytes& file, bool sixteenBit) {
    Bytes stripped = WithoutColourSpaceChunks(file);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    Reference out;
    if (png_image_begin_read_from_memory(&image, stripped.data(), stripped.size())) {
        image.format = sixteenBit ? PNG_FORMAT_LINEAR_RGB_ALPHA : PNG_FORMAT_RGBA;
        std::vector<png_uint_16> wide(sixteenBit ? PNG_IMAGE_SIZE(image) / 2 : 0);
        Bytes narrow(sixteenBit ? 0 : PNG_IMAGE_SIZE(image));
        void* buffer = sixteenBit ? static_cast<void*>(wide.data()) : static_cast<void*>(narrow.data());
        if (png_image_finish_read(&image, nullptr, buffer, 0, nullptr)) {
            out.width = image.width;
            out.height = image.height;
            if (sixteenBit)
                out.samples.assign(wide.begin(), wide.end());
            else
                out.samples.assign(narrow.begin(), narrow.end());
        }
    }
    png_image_free(&image);
    return out;
}

// Whether the loader's 8-bit pixel agrees with the reference's. A 16-bit colour sample that the
// loader cut to its high byte h was somewhere in [256h, 256h + 255]; premultiplied by the
// reference's alpha (rounded) it must land on the reference's value.
bool SamePixel(const unsigned* want, const unsigned char* got, bool sixteenBit) {
    if (!sixteenBit)
        return std::equal(want, want + 4, got);
    const std::uint64_t alpha = want[3];
    if (got[3] != alpha >> 8)
        return false;
    for (int c = 0; c < 3; ++c) {
        const std::uint64_t lowest = (got[c] * 256u * alpha + 32767) / 65535;
        const std::uint64_t highest = ((got[c] * 256u + 255) * alpha + 32767) / 65535;
        if (want[c] < lowest || want[c] > highest)
            return false;
    }
    return true;
}

// The header's bit depth and colour type (IHDR comes right after the signature); 0 when absent.
int HeaderByte(const Bytes& file, std::size_t offset) { return file.size() > 25 ? file[offset] : 0; }

// Grey without a low bit depth to widen, and grey with alpha, have no RGB(A) form in the loader.
bool EngineRefuses(int depth, int colourType) { return colourType == 4 || (colourType == 0 && depth >= 8); }

std::vector<std::string> TestImages(const std::string& root) {
    std::vector<std::string> files;
    for (const char* collection : {"pngsuite", "testpngs"}) {
        std::error_code error;
        std::filesystem::recursive_directory_iterator it(root + "/" + collection, error), end;
        for (; !error && it != end; it.increment(error))
            if (it->is_regular_file() && it->path().extension() == ".png")
                files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(PNGLoader, DecodesLibpngsTestImagesAsLibpngDoes) {
    const std::vector<std::string> files = TestImages(PNG_TEST_IMAGES);
    // libpng 1.6.39 ships 187 images in the two folders; far fewer means the fetch went wrong.
    ASSERT_GE(files.size(), 150u) << "libpng's test images are missing under " << PNG_TEST_IMAGES
                                  << "; scripts/fetch-png-test-images.sh fetches them";

    PNGLoader loader;
    int checked = 0, refused = 0, corrupt = 0;
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        const Bytes file = ReadAll(path);
        const int depth = HeaderByte(file, 24);
        const Reference expected = ReferenceDecode(file, depth == 16);

        InputFile stream(path.c_str());
        Asset* asset = nullptr;
        std::string failure = MessageOf([&] { asset = loader.Load(AssetBitmap2D, &stream, path.c_str(), nullptr); });
        Held<Bitmap2D> bitmap(static_cast<Bitmap2D*>(asset));

        if (expected.samples.empty()) {
            ++corrupt;
            EXPECT_EQ("Not a PNG file", failure);
            continue;
        }
        if (EngineRefuses(depth, HeaderByte(file, 25))) {
            ++refused;
            EXPECT_EQ("Unsupported PNG pixel format", failure);
            continue;
        }
        ++checked;
        ASSERT_TRUE(bitmap) << failure;
        ASSERT_EQ(int(expected.width), bitmap->GetWidth());
        ASSERT_EQ(int(expected.height), bitmap->GetHeight());
        int wrong = 0;
        for (unsigned y = 0; y < expected.height; ++y)
            for (unsigned x = 0; x < expected.width; ++x) {
                const unsigned* want = expected.samples.data() + (std::size_t(y) * expected.width + x) * 4;
                const unsigned char* got =
                    bitmap->GetPixels() + (std::size_t(expected.height - 1 - y) * expected.width + x) * 4;
                if (!SamePixel(want, got, depth == 16) && wrong++ < 3)
                    ADD_FAILURE() << "pixel " << x << "," << y << ": " << int(got[0]) << " " << int(got[1]) << " "
                                  << int(got[2]) << " " << int(got[3]) << ", libpng " << want[0] << " " << want[1]
                                  << " " << want[2] << " " << want[3];
            }
        EXPECT_EQ(0, wrong);
    }
    std::printf("libpng test images: %d checked, %d refused, %d corrupt\n", checked, refused, corrupt);
    // A reference that rejected everything would make a loader that rejects everything pass.
    EXPECT_GE(checked, 100);
    EXPECT_GE(refused, 20);
}
