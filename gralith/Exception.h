#pragma once

#include "gralith/Object.h"

#include <cstring>
#include <exception>

namespace Gralith {

/// The codes an Exception carries. Callers compare them as plain integers, so each value is
/// fixed; 6 has two names because the device layer and the file layer gave it a meaning each.
enum ErrorCode : int {
    /// A platform call failed, or nothing more specific applies (the default; every failure of
    /// the utilities and assets other than a missing file).
    ErrorGeneral = 0,
    /// A resource refused the operation (incompatible surfaces, no mipmaps for the format).
    ErrorRefused = 1,
    /// The device or backend cannot do what was asked (a format, a feature or a limit).
    ErrorUnsupported = 2,
    /// Not allowed in the object's current state (drawing without a program, locking twice).
    ErrorInvalidState = 3,
    /// An argument is not a member of its enumeration, or an index or range lies outside its object.
    ErrorInvalidArgument = 4,
    /// A shader failed to compile (Direct3D 9; the Cg path reports its listing with ErrorGeneral).
    ErrorShaderCompile = 5,
    /// A device (graphics or sound) could not be created.
    ErrorCreation = 6,
    /// A file could not be opened as a regular file.
    ErrorFileNotFound = 6,
};

/// The one type thrown for every reported failure: a fixed English message and an ErrorCode
/// (ErrorGeneral unless given), held as an int. The exception keeps its own copy of the message
/// text.
/// It is a std::exception too: what() is the message, so a handler of the standard
/// exceptions, or the runtime reporting an uncaught one, shows it.
class Exception : public Object, public std::exception {
public:
    explicit Exception(const char* message, int code = ErrorGeneral) : code(code), message(Copy(message)) {}
    Exception(const Exception& other)
        : Object(other), std::exception(other), code(other.code), message(Copy(other.message)) {}
    Exception& operator=(const Exception& other) {
        if (this != &other) {
            char* text = Copy(other.message);
            delete[] message;
            message = text;
            code = other.code;
        }
        return *this;
    }
    ~Exception() override { delete[] message; }

    virtual int GetCode() const { return code; }
    virtual const char* GetMessage() const { return message; }
    const char* what() const noexcept override { return GetMessage(); }

private:
    static char* Copy(const char* text) {
        if (!text)
            text = "";
        size_t n = std::strlen(text);
        char* copy = new char[n + 1];
        std::memcpy(copy, text, n + 1);
        return copy;
    }

    int code;
    char* message;
};

} // namespace Gralith
