#include "gralith/utils/BinaryReader.h"
#include "gralith/utils/MemoryInputStream.h"

#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using Gralith::Utils::BinaryReader;
using Gralith::Utils::MemoryInputStream;
using GralithTest::MessageOf;

namespace {

// Little-endian int32 values, then any raw bytes, for a BinaryReader over memory.
struct Bytes {
    std::vector<unsigned char> data;
    Bytes(std::initializer_list<int> ints) {
        for (int v : ints)
            for (int i = 0; i < 4; ++i)
                data.push_back(static_cast<unsigned char>(static_cast<unsigned>(v) >> (8 * i)));
    }
    Bytes& Append(const std::string& s) {
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
};

class Reader {
public:
    Reader(const Bytes& bytes, const char* format)
        : stream(new MemoryInputStream(bytes.data.data(), static_cast<int>(bytes.data.size()))),
          reader(stream, format) {}
    ~Reader() { stream->Release(); }
    BinaryReader* operator->() { return &reader; }
    MemoryInputStream* stream;
    BinaryReader reader;
};

} // namespace

// Values read right show in every FGM and FSG loader test.
TEST(BinaryReader, TruncationsAndLengthsPastTheEndFailBeforeAllocatingAndNameTheField) {
    Reader truncated(Bytes{}.Append("\x01\x02"), "FGM");
    EXPECT_EQ("Corrupt FGM data: unexpected end of file reading vertex count (4 bytes needed, 2 left) at byte 0",
              MessageOf([&] { truncated->ReadInt32("vertex count"); }));
    Reader length(Bytes{0x7FFFFFFF, 1}.Append("x"), "FSG");
    EXPECT_EQ("Corrupt FSG data: length 2147483647 of node id exceeds the 5 bytes left at byte 0",
              MessageOf([&] { length->ReadString("node id"); }));
    Reader fits(Bytes{0}, "FGM");
    fits->CheckFits(1, 4, "one int");
    EXPECT_EQ("Corrupt FGM data: vertex data needs 8589934588 bytes but only 4 are left at byte 0",
              MessageOf([&] { fits->CheckFits(0x7FFFFFFF, 4, "vertex data"); }));
}

TEST(BinaryReader, CountsBelowOneMeanNoneAndAbsurdCountsFail) {
    Reader r(Bytes{0, -7, 3, 0, 0, 0, 1000000}, "FSG");
    EXPECT_EQ(0, r->ReadCount("a", 4));
    EXPECT_EQ(0, r->ReadCount("b", 4));
    EXPECT_EQ(3, r->ReadCount("c", 4));
    for (int i = 0; i < 3; ++i)
        r->ReadInt32("x");
    EXPECT_EQ("Corrupt FSG data: node count 1000000 exceeds what the 0 bytes left can hold at byte 24",
              MessageOf([&] { r->ReadCount("node count", 28); }));
    // Three items of six bytes do not fit the 16 bytes left, though 16 would hold three bytes.
    Reader tight(Bytes{3, 0, 0, 0, 0}, "FSG");
    EXPECT_EQ("Corrupt FSG data: c 3 exceeds what the 16 bytes left can hold at byte 0",
              MessageOf([&] { tight->ReadCount("c", 6); }));
}
