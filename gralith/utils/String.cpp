#include "gralith/utils/String.h"

#include "gralith/Exception.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/ParseFloat.h"

#include <cstdio>
#include <cstring>

namespace Gralith::Utils {

struct String::Block {
    unsigned refCount;
    char* chars;
    int length;
};

String::Block* String::MakeBlock(const char* first, int firstLength, const char* second, int secondLength) {
    Block* b = new Block;
    b->refCount = 1;
    b->length = firstLength + secondLength;
    b->chars = new char[b->length + 1];
    if (firstLength > 0)
        std::memcpy(b->chars, first, firstLength);
    if (secondLength > 0)
        std::memcpy(b->chars + firstLength, second, secondLength);
    b->chars[b->length] = 0;
    return b;
}

String::String() : block(MakeBlock(nullptr, 0, nullptr, 0)) {}

String::String(const char* text) : block(MakeBlock(text, text ? static_cast<int>(std::strlen(text)) : 0, nullptr, 0)) {}

String::String(const String& other) : block(other.block) { ++block->refCount; }

// A moved-from handle keeps a valid empty block so it can still be used or destroyed.
String::String(String&& other) noexcept : block(other.block) { other.block = MakeBlock(nullptr, 0, nullptr, 0); }

String::String(Block* b) : block(b) {}

String::~String() { ReleaseBlock(); }

// Kept out of line: once inlined into the assignment operators, GCC 12 at -O3 cannot see that a
// shared block survives the decrement and reports a use after free that cannot happen.
[[gnu::noinline]] void String::ReleaseBlock() {
    if (--block->refCount == 0) {
        delete[] block->chars;
        delete block;
    }
}

String String::operator=(const String& other) {
    if (block != other.block) {
        ++other.block->refCount;
        ReleaseBlock();
        block = other.block;
    }
    return *this;
}

String String::operator=(const char* text) {
    Block* b = MakeBlock(text, text ? static_cast<int>(std::strlen(text)) : 0, nullptr, 0);
    ReleaseBlock();
    block = b;
    return *this;
}

int String::Length() const { return block->length; }
char& String::operator[](int index) { return block->chars[index]; }
const char& String::operator[](int index) const { return block->chars[index]; }
const char* String::CStr() const { return block->chars; }

bool String::operator==(const String& other) const {
    if (block == other.block)
        return true;
    return block->length == other.block->length && std::memcmp(block->chars, other.block->chars, block->length) == 0;
}

bool String::operator==(const char* text) const { return text && std::strcmp(block->chars, text) == 0; }

String String::operator+(const String& other) const {
    return String(MakeBlock(block->chars, block->length, other.block->chars, other.block->length));
}

String String::operator+=(const String& other) {
    Block* b = MakeBlock(block->chars, block->length, other.block->chars, other.block->length);
    ReleaseBlock();
    block = b;
    return *this;
}

int String::IndexOf(char c, int from) const {
    if (from < 0)
        from = 0;
    for (int i = from; i < block->length; ++i)
        if (block->chars[i] == c)
            return i;
    return -1;
}

String String::SubString(int start, int count) const {
    // Written to avoid overflow in start + count for hostile arguments.
    if (start < 0 || count < 0 || start > block->length || count > block->length - start)
        throw Exception(Messages::SubStringOverflow);
    return String(MakeBlock(block->chars + start, count, nullptr, 0));
}

void String::Split(char separator, Array<String>& out) const {
    int pieceStart = 0;
    for (int i = 0; i < block->length; ++i) {
        if (block->chars[i] == separator) {
            out.Add(SubString(pieceStart, i - pieceStart));
            pieceStart = i + 1;
        }
    }
    out.Add(SubString(pieceStart, block->length - pieceStart));
}

int String::ToInt() const {
    int value = 0;
    if (std::sscanf(block->chars, "%i", &value) != 1)
        throw Exception(Messages::NotAnInteger);
    return value;
}

float String::ToFloat() const {
    float value = 0.0f;
    if (ParseFloat(std::string_view(block->chars, static_cast<size_t>(block->length)), value) == 0)
        throw Exception(Messages::NotAFloat);
    return value;
}

char* String::ToCString() const {
    char* copy = new char[block->length + 1];
    std::memcpy(copy, block->chars, block->length + 1);
    return copy;
}

} // namespace Gralith::Utils
