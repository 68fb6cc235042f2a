#pragma once

namespace Gralith::Utils {

template <class T>
class Array;

/// A handle to a shared, reference-counted text block of 8-bit characters (no embedded zeros,
/// always zero-terminated). Copies share the block; every operation that produces text builds a
/// new block, so a String behaves as a value and copying costs one count increment.
class String {
public:
    String();
    String(const char* text);
    String(const String& other);
    String(String&& other) noexcept;
    ~String();

    String operator=(const String& other);
    String operator=(const char* text);

    int Length() const;
    char& operator[](int index);
    const char& operator[](int index) const;
    /// The characters, zero-terminated; valid while this handle lives.
    const char* CStr() const;

    /// True for handles sharing one block (without comparing bytes), or equal bytes.
    bool operator==(const String& other) const;
    /// True when the characters equal the zero-terminated text exactly.
    bool operator==(const char* text) const;
    bool operator!=(const String& other) const { return !(*this == other); }
    bool operator!=(const char* text) const { return !(*this == text); }

    String operator+(const String& other) const;
    String operator+=(const String& other);

    /// The first index >= from holding c, or -1.
    int IndexOf(char c, int from = 0) const;
    /// Count bytes from start; throws "SubString Overflow" when start + count passes the end.
    String SubString(int start, int count) const;
    /// Appends the pieces between separators to out (out is not cleared): "a;b" gives a and b,
    /// ";" gives two empty pieces, "" gives one empty piece.
    void Split(char separator, Array<String>& out) const;
    /// "%i" conversion (sign, decimal, 0x hex, leading-zero octal; leading blanks skipped,
    /// trailing text ignored). Throws "Unable to convert string to integer".
    int ToInt() const;
    /// "%f" conversion as in the C locale, whatever locale the process runs under (see ParseFloat).
    /// Throws "Unable to convert string to float".
    float ToFloat() const;
    /// A fresh zero-terminated copy owned by the caller (delete[]).
    char* ToCString() const;

    /// Whether the two handles share one block (for tests of the sharing rules).
    bool SharesBlockWith(const String& other) const { return block == other.block; }

private:
    struct Block;
    explicit String(Block* block);
    static Block* MakeBlock(const char* first, int firstLength, const char* second, int secondLength);
    void ReleaseBlock();

    Block* block;
};

} // namespace Gralith::Utils
