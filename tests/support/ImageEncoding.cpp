#include "tests/support/ImageEncoding.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace GralithTest {

namespace {

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

int ChannelsOf(int colorType) {
    switch (colorType) {
    case 0:
    case 3: return 1;
    case 2: return 3;
    case 4: return 2;
    default: return 4;
    }
}

} // namespace

Bytes EncodePng(const PngImage& image) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng could not write the test image");
    }
    png_set_write_fn(png, &out, WriteToVector, FlushNothing);
    png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colorType,
                 image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    if (image.colorType == 3) {
        for (std::size_t i = 0; i + 2 < image.palette.size(); i += 3)
            palette.push_back({image.palette[i], image.palette[i + 1], image.palette[i + 2]});
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    }
    Bytes alphas;
    png_color_16 key{};
    if (!image.transparency.empty()) {
        if (image.colorType == 3) {
            for (unsigned a : image.transparency)
                alphas.push_back(static_cast<unsigned char>(a));
            png_set_tRNS(png, info, alphas.data(), int(alphas.size()), nullptr);
        } else {
            if (image.transparency.size() == 1) {
                key.gray = static_cast<png_uint_16>(image.transparency[0]);
            } else {
                key.red = static_cast<png_uint_16>(image.transparency[0]);
                key.green = static_cast<png_uint_16>(image.transparency[1]);
                key.blue = static_cast<png_uint_16>(image.transparency[2]);
            }
            png_set_tRNS(png, info, nullptr, 0, &key);
        }
    }
    png_write_info(png, info);

    // Pack the samples into rows in file layout (big-endian 16-bit, MSB-first low-bit samples).
    int samplesPerRow = image.width * ChannelsOf(image.colorType);
    std::size_t rowBytes = (std::size_t(samplesPerRow) * image.bitDepth + 7) / 8;
    std::vector<Bytes> rows(image.height, Bytes(rowBytes, 0));
    for (int y = 0; y < image.height && !image.samples.empty(); ++y) {
        for (int s = 0; s < samplesPerRow; ++s) {
            unsigned v = image.samples.at(std::size_t(y) * samplesPerRow + s);
            Bytes& row = rows[y];
            if (image.bitDepth == 16) {
                row[s * 2] = static_cast<unsigned char>(v >> 8);
                row[s * 2 + 1] = static_cast<unsigned char>(v & 0xFF);
            } else if (image.bitDepth == 8) {
                row[s] = static_cast<unsigned char>(v);
            } else {
                int bit = s * image.bitDepth;
                int shift = 8 - image.bitDepth - bit % 8;
                row[bit / 8] |= static_cast<unsigned char>(v << shift);
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (Bytes& row : rows)
        pointers.push_back(row.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes EncodeJpeg(int width, int height, int components, const Bytes& pixels, int quality, bool progressive) {
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(pixels.data()) + std::size_t(info.next_scanline) * width * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

void WriteBinaryFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + path);
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void FixPngChunkCrc(Bytes& png, std::size_t typeOffset) {
    std::size_t length = std::size_t(png[typeOffset - 4]) << 24 | std::size_t(png[typeOffset - 3]) << 16 |
                         std::size_t(png[typeOffset - 2]) << 8 | png[typeOffset - 1];
    uLong crc = crc32(0, png.data() + typeOffset, uInt(length + 4));
    std::size_t at = typeOffset + 4 + length;
    png[at] = static_cast<unsigned char>(crc >> 24);
    png[at + 1] = static_cast<unsigned char>(crc >> 16);
    png[at + 2] = static_cast<unsigned char>(crc >> 8);
    png[at + 3] = static_cast<unsigned char>(crc);
}

} // namespace GralithTest
