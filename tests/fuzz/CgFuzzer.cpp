// libFuzzer target: Cg shader text through the translator (HLSL front end, SPIR-V, GLSL writer and
// the engine's rewrites). The first byte picks the stage (bit 0: 1 vertex, 0 pixel) and the entry
// point (bits 1-2), so that the seeds can start with a printable digit: '1' is the vertex stage
// at vsMain, '2' the pixel stage at psMain. The rest is the source. Translation needs no GL
// context. A translation either gives GLSL or throws the engine's exception with a compile
// error message; anything else getting out is a finding.
#include "gralith/Exception.h"
#include "gralith/graphics/gl/CgTranslator.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

using Gralith::Graphics::CgTranslator;

const char* const EntryPoints[] = {"vsMain", "psMain", "main", "f"};

[[noreturn]] void Finding(const char* what, const char* detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 || size > (1u << 16))
        return 0;
    auto stage = (data[0] & 1) ? CgTranslator::StageVertex : CgTranslator::StagePixel;
    const char* entryPoint = EntryPoints[(data[0] >> 1) & 3];
    // Translate reads a zero-terminated text: an embedded zero ends the source there.
    const std::string source(reinterpret_cast<const char*>(data) + 1, size - 1);
    try {
        CgTranslator::Translation translation = CgTranslator::Translate(source.c_str(), entryPoint, stage, "fuzz.cg");
        if (std::strncmp(translation.glsl.CStr(), "#version 120", 12) != 0)
            Finding("translation without GLSL 1.20", translation.glsl.CStr());
    } catch (const Gralith::Exception& e) {
        if (e.GetCode() != 0 || std::strncmp(e.GetMessage(), CgTranslator::CompileErrorText,
                                             std::strlen(CgTranslator::CompileErrorText)) != 0)
            Finding("exception not worded as a compile error", e.GetMessage());
    } catch (const std::exception& e) {
        Finding("std::exception escaped the translator", e.what());
    } catch (...) {
        Finding("unknown exception escaped the translator", "");
    }
    return 0;
}
