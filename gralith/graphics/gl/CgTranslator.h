#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"

namespace Gralith::Graphics {

/// Turns one stage of Cg source text into GLSL 1.20 that an OpenGL 2.0 driver accepts, plus what
/// the program needs to know about it. The source goes through an HLSL front end (DX9 mode) to
/// SPIR-V and back out as GLSL, with these rewrites so that the result behaves as Cg would:
/// - a POSITION output becomes gl_Position, COLORn outputs gl_FragData[n], DEPTH gl_FragDepth;
/// - varyings are named from their semantic ("v_TEXCOORD0"; a bare "TEXCOORD" counts as index 0),
///   so the two stages match by semantic as they do in Cg;
/// - global and uniform parameters become plain uniforms under their own names, so one name
///   addresses the uniform of both stages of a linked program;
/// - vertex inputs are named from their semantic ("a_POSITION", "a_TEXCOORD0"), for binding to
///   attribute locations before linking.
/// - Cg's fixed types compile as half, lit() computes its specular term as Cg does, and trunc,
///   sinh, cosh and tanh (missing from GLSL 1.20) are defined by the shader itself.
/// bool uniforms are declared as int in the GLSL (they are uploaded as integers) but reported as
/// bool. Constant initialisers of scalar and vector uniforms are reported for the program to set.
class CgTranslator {
public:
    enum Stage { StagePixel = 0, StageVertex = 1 };

    /// A uniform of the stage; arrays report their element type.
    struct Uniform {
        /// The name as the Cg source spells it.
        Utils::String name;
        /// The name in the GLSL, which differs where GLSL reserves the Cg name.
        Utils::String glslName;
        /// A ParameterType value; 0 for types a program cannot address (structures, non-square
        /// matrices, 1D samplers).
        int type = 0;
        /// 0 for a single value, else the element count.
        int arraySize = 0;
        /// The constant the source initialises a scalar or vector with (empty when none), to be
        /// set once the program is linked.
        Utils::Array<float> initialValue;
    };

    /// A vertex input: its semantic as written (upper case) and the GLSL attribute name.
    struct Attribute {
        Utils::String semantic;
        Utils::String name;
    };

    /// A varying (vertex output or pixel input) under its semantic name ("v_TEXCOORD0").
    struct Varying {
        Utils::String name;
        /// 1-4 for float scalars and vectors, 0 for anything else.
        int components = 0;
    };

    struct Translation {
        Utils::String glsl;
        /// Vertex outputs or pixel inputs passed between the stages.
        Utils::Array<Varying> varyings;
        /// Uniforms in the order the stage declares them.
        Utils::Array<Uniform> uniforms;
        /// Empty for a pixel stage.
        Utils::Array<Attribute> attributes;
    };

    /// Compiles source (zero-terminated) with the given entry point. Errors throw an Exception
    /// (ErrorGeneral) whose message is composed like the Cg runtime's: "The compile returned an error.",
    /// a line break, an empty line, then the compiler listing in which each diagnostic carries
    /// sourceName and the line. A missing entry point is an error. So is a source outside what
    /// the compiler survives (CgSyntax checks it first), and any failure inside the compiler
    /// libraries: nothing else leaves this function. The first call in a process also
    /// initialises the compiler.
    static Translation Translate(const char* source, const char* entryPoint, Stage stage, const char* sourceName);

    /// Cg lets a pixel stage read fewer or more components of a varying than the vertex stage
    /// writes (a float4 TEXCOORD0 read as float2); GLSL refuses to link that. Answers the pixel
    /// GLSL rewritten to declare each such varying as the vertex stage writes it and to convert
    /// it where it is read (extra components dropped, missing ones 0 and w 1), or an empty text
    /// when every varying already matches.
    static Utils::String AdaptPixelVaryings(const Translation& vertex, const Translation& pixel);

    /// The message every compile failure starts with.
    static const char* const CompileErrorText;
};

} // namespace Gralith::Graphics
