#pragma once

#include <string>

namespace Gralith::Win32Text {

/// UTF-8 text as UTF-16 for the wide-character system calls. Bytes that are not UTF-8 are read
/// in the system's ANSI code page instead, so Latin-1 captions still show.
std::wstring Widen(const char* text);

/// UTF-16 text from the system as UTF-8.
std::string Narrow(const wchar_t* text);

/// The system's message for an error code (GetLastError or an HRESULT), without the trailing
/// line break; the code in hexadecimal when the system has no text for it.
std::string ErrorText(unsigned long code);

} // namespace Gralith::Win32Text
