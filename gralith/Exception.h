#pragma once

#include "gralith/Object.h"

#include <cstring>
#include <exception>

namespace Gralith {

/// The one type thrown for every reported failure: a fixed English message and an integer code
/// (0 unless given; 6 for a missing file and for device creation failures; the graphics layer
/// uses 0-6). The exception keeps its own copy of the message text.
/// It is a std::exception too: what() is the message, so a handler of the standard
/// exceptions, or the runtime reporting an uncaught one, shows it.
class Exception : public Object, public std::exception {
public:
    explicit Exception(const char* message, int code = 0) : code(code), message(Copy(message)) {}
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
