#include "gralith/utils/BinaryReader.h"
#include "gralith/Exception.h"
#include "gralith/utils/MemoryInputStream.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

using Gralith::Exception;
using Gralith::Utils::BinaryReader;
using Gralith::Utils::MemoryInputStream;
using Gralith::Utils::String;

namespace {

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.GetMessage();
    }
    return "(no exception)";
}

struct Bytes {
    std::vector<unsigned char> data;
    Bytes& Int(int v) {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<unsigned char>(static_cast<unsigned>(v) >> (8 * i)));
        return *this;
    }
    Bytes& Text(const std::string& s) {
        Int(static_cast<int>(s.size()));
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
    MemoryInputStream* Stream() const { return new MemoryInputStream(data.data(), static_cast<int>(data.size())); }
};

} // namespace

TEST(BinaryReader, ReadsLittleEndianValuesAndStrings) {
    Bytes b;
    b.Int(-2).Int(0x3FC00000).Text("abc");
    MemoryInputStream* s = b.Stream();
    BinaryReader r(s, "FGM");
    EXPECT_EQ(-2, r.ReadInt32("a"));
    EXPECT_EQ(1.5f, r.ReadFloat32("b"));
    EXPECT_TRUE(r.ReadString("c") == "abc");
    EXPECT_EQ(0, r.GetRemaining());
    EXPECT_EQ(15, s->Tell());
    s->Release();
}

TEST(BinaryReader, TruncatedIntegerNamesTheFieldAndOffset) {
    Bytes b;
    b.data = {1, 2};
    MemoryInputStream* s = b.Stream();
    BinaryReader r(s, "FGM");
    EXPECT_EQ("Corrupt FGM data: unexpected end of file reading vertex count (4 bytes needed, 2 left) at byte 0",
              MessageOf([&] { r.ReadInt32("vertex count"); }));
    s->Release();
}

TEST(BinaryReader, StringLengthPastTheEndFailsBeforeAllocating) {
    Bytes b;
    b.Int(0x7FFFFFFF).Text("x");
    MemoryInputStream* s = b.Stream();
    BinaryReader r(s, "FSG");
    EXPECT_EQ("Corrupt FSG data: length 2147483647 of node id exceeds the 5 bytes left at byte 0",
              MessageOf([&] { r.ReadString("node id"); }));
    s->Release();
}

TEST(BinaryReader, CountsBelowOneMeanNoneAndAbsurdCountsFail) {
    Bytes b;
    b.Int(0).Int(-7).Int(3).Int(0).Int(0).Int(0).Int(1000000);
    MemoryInputStream* s = b.Stream();
    BinaryReader r(s, "FSG");
    EXPECT_EQ(0, r.ReadCount("a", 4));
    EXPECT_EQ(0, r.ReadCount("b", 4));
    EXPECT_EQ(3, r.ReadCount("c", 4));
    r.ReadInt32("x");
    r.ReadInt32("y");
    r.ReadInt32("z");
    EXPECT_EQ("Corrupt FSG data: node count 1000000 exceeds what the 0 bytes left can hold at byte 24",
              MessageOf([&] { r.ReadCount("node count", 28); }));
    s->Release();
    // Three items of six bytes do not fit the 16 bytes left, though 16 would hold three bytes.
    Bytes tight;
    tight.Int(3).Int(0).Int(0).Int(0).Int(0);
    MemoryInputStream* t = tight.Stream();
    BinaryReader exact(t, "FSG");
    EXPECT_EQ("Corrupt FSG data: c 3 exceeds what the 16 bytes left can hold at byte 0",
              MessageOf([&] { exact.ReadCount("c", 6); }));
    t->Release();
}

TEST(BinaryReader, CheckFitsUsesWideArithmetic) {
    Bytes b;
    b.Int(0);
    MemoryInputStream* s = b.Stream();
    BinaryReader r(s, "FGM");
    r.CheckFits(1, 4, "one int");
    EXPECT_EQ("Corrupt FGM data: vertex data needs 8589934588 bytes but only 4 are left at byte 0",
              MessageOf([&] { r.CheckFits(0x7FFFFFFF, 4, "vertex data"); }));
    s->Release();
}
