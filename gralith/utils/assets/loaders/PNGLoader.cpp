#include "gralith/utils/assets/loaders/PNGLoader.h"

#include "gralith/Exception.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/loaders/ImageLimits.h"

#include <climits>
#include <csetjmp>
#include <cstdint>
#include <new>
#include <png.h>

namespace Gralith::Utils::Assets::Loaders {

namespace {

// Deflate never expands data by more than this factor (a 258-byte match costs at least 2 bits),
// so the compressed image data bounds how large the decoded image can honestly be.
constexpr std::uint64_t MaxDeflateRatio = 1032;

enum DecodeResult { Decoded, ReadFailed, UnsupportedFormat, TooLarge };

// Everything the decoder changes lives here, outside the frame that calls setjmp, so that its
// values are well defined after libpng jumps back.
struct PngRead {
    InputStream* stream = nullptr;
    std::uint64_t available = 0; // bytes from the start position to the end of the stream
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_bytep* rows = nullptr;
    unsigned char* pixels = nullptr;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool hasAlpha = false;
};

void ReadFromStream(png_structp png, png_bytep data, png_size_t length) {
    auto* stream = static_cast<InputStream*>(png_get_io_ptr(png));
    if (length > UINT_MAX || stream->Read(data, 1, static_cast<unsigned>(length)) != length)
        png_error(png, "unexpected end of file");
}

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// The engine writes no log: warnings (bad ancillary chunks and the like) are dropped.
void OnWarning(png_structp, png_const_charp) {}

DecodeResult Decode(PngRead& r) {
    if (setjmp(png_jmpbuf(r.png)))
        return ReadFailed;

    png_set_read_fn(r.png, r.stream, ReadFromStream);
    // libpng's own size limit would end in a plain read error; the engine's limits are checked
    // right after the header instead, so the message can say what was too large.
    png_set_user_limits(r.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    // Only IHDR, PLTE, tRNS, IDAT and IEND shape the pixels. libpng would allocate (and clear)
    // whatever length any other chunk claims before finding the file too short, 2 GiB for a
    // 57-byte file; skipped chunks are read past instead.
    png_set_keep_unknown_chunks(r.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(r.png, r.info);
    r.width = png_get_image_width(r.png, r.info);
    r.height = png_get_image_height(r.png, r.info);
    if (!ImageSizeAllowed(r.width, r.height))
        return TooLarge;

    int depth = png_get_bit_depth(r.png, r.info);
    int colorType = png_get_color_type(r.png, r.info);
    std::uint64_t rowBits = std::uint64_t(png_get_channels(r.png, r.info)) * depth * r.width;
    std::uint64_t fileRowBytes = (rowBits + 7) / 8;
    std::uint64_t fileImageBytes = (fileRowBytes + 1) * r.height;
    if (fileImageBytes > MaxDeflateRatio * (r.available + 1))
        png_error(r.png, "image larger than its data allows");

    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(r.png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) {
        png_set_expand_gray_1_2_4_to_8(r.png);
        png_set_gray_to_rgb(r.png);
    }
    if (png_get_valid(r.png, r.info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(r.png);
    if (depth == 16)
        png_set_strip_16(r.png);
    if (depth < 8)
        png_set_packing(r.png);
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);

    int interlace, compression, filter;
    png_get_IHDR(r.png, r.info, &r.width, &r.height, &depth, &colorType, &interlace, &compression, &filter);
    if (colorType != PNG_COLOR_TYPE_RGB && colorType != PNG_COLOR_TYPE_RGB_ALPHA)
        return UnsupportedFormat;
    r.hasAlpha = colorType == PNG_COLOR_TYPE_RGB_ALPHA;

    // Rows are laid out at the final RGBA stride right away; RGB rows are widened in place later.
    std::size_t stride = std::size_t(r.width) * 4;
    r.pixels = new (std::nothrow) unsigned char[stride * r.height];
    r.rows = new (std::nothrow) png_bytep[r.height];
    if (!r.pixels || !r.rows)
        png_error(r.png, "out of memory");
    for (png_uint_32 y = 0; y < r.height; ++y)
        r.rows[y] = r.pixels + (r.height - 1 - y) * stride;

    png_read_image(r.png, r.rows);
    png_read_end(r.png, nullptr);
    return Decoded;
}

void WidenRows(unsigned char* pixels, std::size_t width, std::size_t height) {
    for (std::size_t y = 0; y < height; ++y) {
        unsigned char* row = pixels + y * width * 4;
        for (std::size_t x = width; x-- > 0;) {
            row[x * 4 + 3] = 255;
            row[x * 4 + 2] = row[x * 3 + 2];
            row[x * 4 + 1] = row[x * 3 + 1];
            row[x * 4 + 0] = row[x * 3 + 0];
        }
    }
}

} // namespace

Asset* PNGLoader::Load(int type, InputStream* stream, String path, Proxy*) {
    if (type != AssetBitmap2D)
        return nullptr;

    int start = stream->Tell();
    int size = stream->Size();
    stream->Seek(0, start);

    PngRead r;
    r.stream = stream;
    r.available = size > start && start >= 0 ? std::uint64_t(size - start) : 0;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (r.png)
        r.info = png_create_info_struct(r.png);
    DecodeResult result = r.png && r.info ? Decode(r) : ReadFailed;
    png_destroy_read_struct(r.png ? &r.png : nullptr, r.info ? &r.info : nullptr, nullptr);
    delete[] r.rows;

    if (result != Decoded) {
        delete[] r.pixels;
        stream->Seek(0, start);
        if (result == TooLarge)
            throw Exception(ImageTooLargeMessage(r.width, r.height).CStr());
        throw Exception(result == UnsupportedFormat ? Messages::UnsupportedPngFormat : Messages::NotAPng);
    }

    if (!r.hasAlpha)
        WidenRows(r.pixels, r.width, r.height);
    auto* bitmap = new Bitmap2D(int(r.width), int(r.height), Graphics::PixelFormatR8G8B8A8, r.pixels);
    bitmap->SetName(path);
    return bitmap;
}

bool PNGLoader::CanLoad(int type) { return type == AssetBitmap2D; }

String PNGLoader::GetName() { return "PNGLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
