// Writes the seed corpora of the fuzz targets: small valid and nearly valid PNG, JPEG,
// TrueType, wave, Ogg Vorbis and XML files covering the formats the loaders handle (the show's
// script among them), Cg shaders (the show's own and one per stage for what the translator
// rewrites), and the loader tests' FGM blocks and FSG scenes.
// Usage: fuzz_seeds <directory>; the files go to <directory>/png, jpeg, truetype, wav, ogg, xml,
// cg, fgm, fsg.
#include "FormatSamples.h"
#include "TinyTrueType.h"

#include "../gralith/utils/assets/loaders/sound/WavFile.h"
#include "../support/OggEncoder.h"
#include "tests/support/ImageEncoding.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

using namespace GralithTest;

namespace {

PngImage Png(int width, int height, int colorType, int depth, bool interlaced = false) {
    PngImage image(width, height, colorType, depth);
    image.interlaced = interlaced;
    int channels = colorType == 2 ? 3 : colorType == 6 ? 4 : colorType == 4 ? 2 : 1;
    unsigned top = (1u << depth) - 1;
    for (int i = 0; i < width * height * channels; ++i)
        image.samples.push_back(unsigned(i * 7919) % (top + 1));
    return image;
}

Bytes Pixels(int width, int height, int components) {
    Bytes out;
    for (int i = 0; i < width * height * components; ++i)
        out.push_back(static_cast<unsigned char>(i * 37 + i / 7));
    return out;
}

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Sample bytes that step through the whole range of each sample size.
std::string PcmData(int frames, int channels, int bits) {
    std::string data;
    for (int i = 0; i < frames * channels * bits / 8; ++i)
        data.push_back(static_cast<char>(i * 29));
    return data;
}

void WriteSoundSeeds(const std::function<void(const char*, const std::string&, const Bytes&)>& write) {
    write("wav", "mono8.wav", ToBytes(Wav(1, 22050, 8, PcmData(40, 1, 8))));
    write("wav", "stereo16.wav", ToBytes(Wav(2, 44100, 16, PcmData(32, 2, 16))));
    write("wav", "mono24.wav", ToBytes(Wav(1, 48000, 24, PcmData(16, 1, 24))));
    write("wav", "quad32.wav", ToBytes(Wav(4, 8000, 32, PcmData(8, 4, 32))));
    // Chunks around the format chunk, one of odd size with its pad byte, and an odd data size.
    write("wav", "chunks.wav",
          ToBytes(Riff(Chunk("LIST", "INFOISFT" + U32(3) + std::string("ab", 3)) + Chunk("fmt ", Format(1, 11025, 8)) +
                       Chunk("fact", U32(21)) + Chunk("data", PcmData(21, 1, 8)))));
    write("wav", "truncated.wav", ToBytes(Wav(2, 44100, 16, PcmData(32, 2, 16)).substr(0, 60)));

    write("ogg", "mono22050.ogg", ToBytes(GralithTest::EncodeOgg(Sine(2205, 1, 440, 0.5f), 1, 22050, 0.0f)));
    write("ogg", "stereo44100.ogg", ToBytes(GralithTest::EncodeOgg(Sine(2000, 2, 440, 0.5f), 2, 44100, 0.1f)));
    write("ogg", "silence8000.ogg", ToBytes(GralithTest::EncodeOgg(std::vector<float>(400, 0.0f), 1, 8000, 0.0f)));
}

// A file of the source tree's data folder.
Bytes DataFile(const std::string& name) {
    std::ifstream file(std::string(GRALITH_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return ToBytes(text.str());
}

void WriteXmlSeeds(const std::function<void(const char*, const std::string&, const Bytes&)>& write) {
    write("xml", "demo.xml", DataFile("demo.xml"));
    write("xml", "text.xml", ToBytes("<a x=\"&lt;&amp;&#65;&#x42;\">lead<b/>tail<![CDATA[<raw>]]></a>"));
    write("xml", "declarations.xml",
          ToBytes("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<!DOCTYPE d>\n"
                  "<d><e f=\"1\" g=\"2\"><e f=\"3\"/></e><!--x--></d>"));
    // Close to the nesting limit, with markup in values, comments and CDATA at every level.
    std::string deep;
    for (int i = 0; i < 250; ++i)
        deep += "<a x='1' y=\"/>\"><!--<b>--><![CDATA[<c>]]>";
    for (int i = 0; i < 250; ++i)
        deep += "</a>";
    write("xml", "deep.xml", ToBytes(deep));
    write("xml", "utf8.xml", ToBytes("\xEF\xBB\xBF<t n=\"\xC3\xA9t\xC3\xA9\">\xE2\x82\xAC</t>"));
}

// The Cg fuzz target reads its first byte as the stage and entry point: '1' vertex stage at
// vsMain, '2' pixel stage at psMain, '5' vertex at main. Beside the show's shaders, one of each
// stage with what the translator rewrites: initialisers, samplers, semantics, output structures,
// intrinsics, row-major packing, structure and matrix arrays.
void WriteCgSeeds(const std::function<void(const char*, const std::string&, const Bytes&)>& write) {
    for (const char* name : {"halcyra", "texture", "blur", "particles"}) {
        Bytes text = DataFile(std::string("shaders/") + name + ".cg");
        text.insert(text.begin(), '1');
        write("cg", std::string(name) + "-vertex.cg", text);
        text[0] = '2';
        write("cg", std::string(name) + "-pixel.cg", text);
    }
    write("cg", "pixel.cg", ToBytes(R"(2
float SpecularPower = 16.0;
uniform float4 Tint = float4(1, 0.5, 0, 1.0f);
float2 Offset = {0.25, -0};
bool Enabled = true;
int Count : register(c3) = 2;
half3 Warm = 0.5h;
static const float Scale = 2.0;
float Weights[3] = {1, 2, 3};
/* float4 Hidden = 1; */
fixed4 Shade;
sampler2D DiffuseMap;
samplerCUBE Environment;
sampler3D Volume;
sampler1D Ramp;
struct Out { float4 colour : COLOR0; float4 glow : COLOR1; float depth : DEPTH; };
Out psMain(float4 window : WPOS, float3 uv : TEXCOORD0, float4 v : TEXCOORD1, uniform sampler2D Detail) {
    float i;
    float f = modf(v.w, i) + ldexp(v.x, 2) + noise(v.xy) + trunc(v.y) + sinh(v.z) + cosh(v.w) + tanh(v.x);
    bool bad = isnan(v.x) || isinf(v.y) || any(isnan(v));
    Out o;
    o.colour = Enabled ? Tint * SpecularPower * Scale + Offset.xyxy + Warm.xyzz * Weights[Count] : 0;
    o.colour += tex2D(DiffuseMap, uv.xy) + texCUBE(Environment, uv) + tex3D(Volume, uv) + tex1D(Ramp, uv.x) +
                tex2Dproj(Detail, v) + tex2Dbias(DiffuseMap, v);
    o.glow = bad ? 0 : lit(v.x, v.y, v.z) * f * Shade + frac(v) + saturate(v) + lerp(v, v.wzyx, 0.5) + step(0.5, v) +
                       smoothstep(0, 1, v) * window.x;
    o.depth = 0.5;
    return o;
}
)"));
    write("cg", "vertex.cg", ToBytes(R"(5
#pragma pack_matrix(row_major)
struct Light { float3 direction; float4 color; };
Light Sun;
Light Lamps[2];
float3x4 Bones[4];
float4x4 World;
float4x4 WorldViewProjection;
void main(float4 p : POSITION, float3 normal : NORMAL, float4 colour : COLOR, float2 uv : TEXCOORD3,
          float4 w : BLENDWEIGHT, int4 i : BLENDINDICES, out float4 oPosition : POSITION, out float oSize : PSIZE,
          out float4 oColour : COLOR0, out float3 oNormal : TEXCOORD, out float2 oUv : TEXCOORD7) {
    float3 skinned = mul(Bones[i.x], p) * w.x + mul(Bones[i.y], p) * w.y;
    oPosition = mul(WorldViewProjection, mul(World, float4(skinned, 1))) + Sun.color * dot(p.xyz, Sun.direction) +
                Lamps[1].color;
    oSize = 2.0;
    oColour = colour;
    oNormal = normal;
    oUv = uv;
}
)"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <directory>\n");
        return 2;
    }
    namespace fs = std::filesystem;
    fs::path root = argv[1];
    for (const char* kind : {"png", "jpeg", "truetype", "wav", "ogg", "xml", "cg", "fgm", "fsg"})
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

    WriteSoundSeeds(write);
    WriteXmlSeeds(write);
    WriteCgSeeds(write);
    for (int version : {100, 101})
        write("fgm", "quad" + std::to_string(version) + ".fgm", FormatSamples::Bytes(FormatSamples::Quad(version)));
    write("fgm", "mixed.fgm", FormatSamples::Bytes(FormatSamples::MixedTypes()));
    for (int version : {101, 102})
        write("fsg", "rich" + std::to_string(version) + ".fsg",
              FormatSamples::Bytes(FormatSamples::RichScene(version)));
    return 0;
}
