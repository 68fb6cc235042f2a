#pragma once

#include <string>

namespace Gralith::Graphics {

/// A check of Cg source that runs before the HLSL front end sees it. The front end is written for
/// valid shaders: on some malformed ones it dereferences a null pointer instead of reporting an
/// error, and such a crash cannot be caught. The check reads the text after preprocessing and
/// accepts the structure of the Cg language (structures, variables, functions, statements and
/// expressions), refusing in particular what the front end crashes on:
/// - a text that ends inside a declaration, and unbalanced brackets;
/// - in, out and inout outside parameter lists, static local variables, case outside a switch;
/// - a name declared twice at file scope, and a uniform parameter of the entry point that
///   repeats a file-scope name or another parameter;
/// - an entry point parameter without a name, a name that is not a variable in scope used as a
///   value, ++ or -- applied to anything but a variable;
/// - HLSL words that Cg does not have (templates, buffers, textures, namespaces, types with a
///   dimension of 1), annotations and methods;
/// - nesting deeper than any shader needs, and sizes beyond what any shader holds.
class CgSyntax {
public:
    struct Error {
        /// The source line (as #line directives number it), or 0 at the end of the text.
        int line = 0;
        /// The token the check stopped at; empty at the end of the text.
        std::string token;
        std::string text;
    };

    /// Checks preprocessed text, in which every directive but #line is skipped. Answers false and
    /// fills error when the text is refused.
    static bool Check(const std::string& text, const std::string& entryPoint, Error& error);

    /// Deepest nesting of blocks, parentheses and expressions accepted.
    static const int MaxDepth = 128;

    /// The most scalar components that the variables, parameters and structure casts of a source
    /// may hold together: the front end builds constant and zero-initialised arrays element by
    /// element, so its time and memory follow the declared sizes.
    static const int MaxComponents = 1 << 18;
};

} // namespace Gralith::Graphics
