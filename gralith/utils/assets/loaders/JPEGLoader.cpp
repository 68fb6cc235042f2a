#include "gralith/utils/assets/loaders/JPEGLoader.h"

#include "gralith/Exception.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/loaders/ImageLimits.h"

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <new>

#include <jpeglib.h>

namespace Gralith::Utils::Assets::Loaders {

namespace {

// Every 8x8 block of a full-resolution component costs at least one bit of entropy-coded data
// in any scan that codes it, so an image cannot honestly hold more pixels than 512 per byte.
// Twice that leaves room; a header claiming more belongs to a corrupt or truncated file.
constexpr std::uint64_t MaxPixelsPerByte = 1024;

// Every scan of a progressive file revisits the whole image; real files have about ten, and
// thousands of tiny scans would make a small file take minutes to decode.
constexpr int MaxScans = 500;

enum DecodeResult { Decoded, ReadFailed, NotColour, TooLarge };

struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// Everything the decoder changes lives here, outside the frame that calls setjmp, so that its
// values are well defined after libjpeg jumps back.
struct JpegRead {
    jpeg_decompress_struct info;
    JpegError error;
    jpeg_source_mgr source;
    jpeg_progress_mgr progress;
    bool created = false;
    unsigned char* data = nullptr;
    std::size_t size = 0;
    unsigned char* row = nullptr;
    unsigned char* pixels = nullptr;
    unsigned width = 0;
    unsigned height = 0;
};

const JOCTET EndOfImage[2] = {0xFF, JPEG_EOI};

void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

// The engine writes no log: libjpeg's warnings about corrupt data are dropped.
void OnMessage(j_common_ptr) {}

void OnProgress(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans)
        OnError(info);
}

void InitSource(j_decompress_ptr) {}

void TermSource(j_decompress_ptr) {}

// The whole file was handed over at once; asking for more means the data is truncated, so
// libjpeg gets an end-of-image marker and finishes with what it has.
boolean FillInput(j_decompress_ptr info) {
    info->src->next_input_byte = EndOfImage;
    info->src->bytes_in_buffer = sizeof(EndOfImage);
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
    if (count <= 0)
        return;
    if (static_cast<unsigned long>(count) > info->src->bytes_in_buffer) {
        FillInput(info);
        return;
    }
    info->src->next_input_byte += count;
    info->src->bytes_in_buffer -= static_cast<std::size_t>(count);
}

DecodeResult Decode(JpegRead& r) {
    if (setjmp(r.error.jump))
        return ReadFailed;

    jpeg_create_decompress(&r.info);
    r.created = true;
    r.info.src = &r.source;
    r.info.progress = &r.progress;
    jpeg_read_header(&r.info, TRUE);
    r.width = r.info.image_width;
    r.height = r.info.image_height;
    if (!ImageSizeAllowed(r.width, r.height))
        return TooLarge;
    if (r.info.out_color_space != JCS_RGB)
        return NotColour;
    if (std::uint64_t(r.width) * r.height > MaxPixelsPerByte * r.size)
        return ReadFailed;

    jpeg_start_decompress(&r.info);
    if (r.info.output_components != 3)
        return NotColour;
    r.width = r.info.output_width;
    r.height = r.info.output_height;
    std::size_t stride = std::size_t(r.width) * 4;
    r.row = new (std::nothrow) unsigned char[std::size_t(r.width) * 3];
    r.pixels = new (std::nothrow) unsigned char[stride * r.height];
    if (!r.row || !r.pixels)
        return ReadFailed;

    // The first scan line is the top of the image: it goes to the last row in memory.
    while (r.info.output_scanline < r.height) {
        unsigned char* out = r.pixels + (r.height - 1 - r.info.output_scanline) * stride;
        JSAMPROW line = r.row;
        if (jpeg_read_scanlines(&r.info, &line, 1) != 1)
            return ReadFailed;
        for (unsigned x = 0; x < r.width; ++x) {
            out[x * 4 + 0] = r.row[x * 3 + 0];
            out[x * 4 + 1] = r.row[x * 3 + 1];
            out[x * 4 + 2] = r.row[x * 3 + 2];
            out[x * 4 + 3] = 255;
        }
    }
    jpeg_finish_decompress(&r.info);
    return Decoded;
}

} // namespace

Asset* JPEGLoader::Load(int type, InputStream* stream, String path, Proxy*) {
    if (type != AssetBitmap2D)
        return nullptr;

    int start = stream->Tell();
    int size = stream->Size();

    JpegRead r;
    r.info.err = jpeg_std_error(&r.error.base);
    r.error.base.error_exit = OnError;
    r.error.base.output_message = OnMessage;
    r.data = new unsigned char[size > 0 ? size : 1];
    r.size = size > 0 ? stream->Read(r.data, 1, unsigned(size)) : 0;
    r.source.next_input_byte = r.data;
    r.source.bytes_in_buffer = r.size;
    r.source.init_source = InitSource;
    r.source.fill_input_buffer = FillInput;
    r.source.skip_input_data = SkipInput;
    r.source.resync_to_restart = jpeg_resync_to_restart;
    r.source.term_source = TermSource;
    r.progress.progress_monitor = OnProgress;

    DecodeResult result = Decode(r);
    if (r.created)
        jpeg_destroy_decompress(&r.info);
    delete[] r.data;
    delete[] r.row;

    if (result != Decoded) {
        delete[] r.pixels;
        stream->Seek(0, start);
        if (result == TooLarge)
            throw Exception(ImageTooLargeMessage(r.width, r.height).CStr());
        if (result == ReadFailed)
            throw Exception(Messages::NotAJpeg);
        return nullptr;
    }

    auto* bitmap = new Bitmap2D(int(r.width), int(r.height), Graphics::PixelFormatR8G8B8A8, r.pixels);
    bitmap->SetName(path);
    return bitmap;
}

bool JPEGLoader::CanLoad(int type) { return type == AssetBitmap2D; }

String JPEGLoader::GetName() { return "JPEGLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
