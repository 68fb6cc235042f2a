#include "gralith/utils/ParseFloat.h"

#include <charconv>
#include <limits>
#include <system_error>

namespace Gralith::Utils {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The number's magnitude once float (and double) cannot hold it: only a written exponent takes
// text that far, and its sign says which end of the range was passed.
float Overflowed(const char* begin, const char* end, bool hex) {
    for (const char* at = begin; at < end; ++at) {
        char c = static_cast<char>(*at | 0x20);
        if (c == (hex ? 'p' : 'e'))
            return at + 1 < end && at[1] == '-' ? 0.0f : std::numeric_limits<float>::infinity();
    }
    return std::numeric_limits<float>::infinity();
}

} // namespace

std::size_t ParseFloat(std::string_view text, float& value) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* at = begin;
    while (at < end && IsSpace(*at))
        ++at;
    bool negative = false;
    if (at < end && (*at == '+' || *at == '-'))
        negative = *at++ == '-';
    // from_chars reads a minus of its own: one sign is all "%f" allows.
    if (at == end || *at == '+' || *at == '-')
        return 0;

    // from_chars wants hexadecimal without its prefix; "0x" with no digits after it reads as 0.
    std::chars_format format = std::chars_format::general;
    const char* digits = at;
    float parsed = 0.0f;
    std::from_chars_result result{at, std::errc::invalid_argument};
    if (end - at > 2 && at[0] == '0' && (at[1] | 0x20) == 'x' && (IsHexDigit(at[2]) || at[2] == '.')) {
        result = std::from_chars(at + 2, end, parsed, std::chars_format::hex);
        if (result.ec != std::errc::invalid_argument) {
            format = std::chars_format::hex;
            digits = at + 2;
        }
    }
    if (format == std::chars_format::general)
        result = std::from_chars(digits, end, parsed, format);
    if (result.ec == std::errc::invalid_argument)
        return 0;
    if (result.ec == std::errc::result_out_of_range) {
        // Narrowing the double gives the infinity or the tiny value strtof would.
        double wide = 0.0;
        if (std::from_chars(digits, end, wide, format).ec == std::errc())
            parsed = static_cast<float>(wide);
        else
            parsed = Overflowed(digits, result.ptr, format == std::chars_format::hex);
    }
    value = negative ? -parsed : parsed;
    return static_cast<std::size_t>(result.ptr - begin);
}

} // namespace Gralith::Utils
