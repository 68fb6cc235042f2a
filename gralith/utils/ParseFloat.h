#pragma once

#include <cstddef>
#include <string_view>

namespace Gralith::Utils {

/// Reads the number at the start of text as "%f" does in the C locale, whatever locale the process
/// has switched to: a GUI toolkit's start-up adopts the user's, under which the C library reads
/// "0.5" as 0 where the decimal point is a comma. Leading white space and one sign are skipped;
/// then come decimal digits with an optional '.' fraction and exponent, "0x" hexadecimal, "inf" or
/// "nan". Values beyond float's range read as infinity or zero. The text after the number is not
/// looked at. Returns the count of characters read, white space included, and sets value; returns
/// 0 and leaves value alone when no number starts the text.
std::size_t ParseFloat(std::string_view text, float& value);

} // namespace Gralith::Utils
