// The codes file: what it takes, what it refuses (naming the line, never the value), and a
// file others may read refused before it is read.

#include "CodesFile.h"
#include "TempDir.h"

#include <sys/stat.h>

#include <fstream>

#include <gtest/gtest.h>

namespace {

std::string Hex(const CCodesFile::Value& value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::uint8_t byte : value) text += {digits[byte >> 4], digits[byte & 0xF]};
    return text;
}

TEST(CodesFile, TakesCodesAndRefusesBadLinesByNumber) {
    const struct {
        std::string text;
        std::string error;  // empty: parsed
        std::string name, value;
    } cases[] = {
        {"# comment\n\nCHV1=1234\n", "", "CHV1", "31323334FFFFFFFF"},
        {"  CHV2 = 12345678 \r\n", "", "CHV2", "3132333435363738"},
        {"UNBLOCK1=87654321\n", "", "UNBLOCK1", "3837363534333231"},
        {"ADM=0a0A0A0A0A0A0A0A\n", "", "ADM", "0A0A0A0A0A0A0A0A"},
        {"ADM=4444\n", "", "ADM", "34343434FFFFFFFF"},
        {"CHV1=123\n", "c:1: CHV1 needs 4 to 8 digits", "", ""},
        {"\nCHV1=123456789\n", "c:2: CHV1 needs 4 to 8 digits", "", ""},
        {"UNBLOCK2=1234567\n", "c:1: UNBLOCK2 needs 8 digits", "", ""},
        {"ADM=0A0A0A0A0A0A0A0\n", "c:1: ADM needs 4 to 8 digits or 16 hex digits", "", ""},
        {"PIN1=1234\n", "c:1: expected CHV1=, CHV2=, UNBLOCK1=, UNBLOCK2=, ADM= or KI=", "", ""},
        {"KI=0011\n", "c:1: KI needs 32 hex digits", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CCodesFile codes;
        std::string error;
        EXPECT_EQ(codes.Parse(c.text, "c", error), c.error.empty());
        EXPECT_EQ(error, c.error);
        if (!c.name.empty()) {
            ASSERT_TRUE(codes.Get(c.name));
            EXPECT_EQ(Hex(*codes.Get(c.name)), c.value);
        }
    }
}

TEST(CodesFile, RefusesAFileOthersMayRead) {
    CTempDir dir;
    const std::string path = dir.File("codes");
    std::ofstream(path) << "CHV1=1234\n";
    CCodesFile codes;
    std::string error;
    for (mode_t mode : {0644, 0640, 0604}) {
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        EXPECT_FALSE(codes.Load(path, error)) << mode;
        EXPECT_EQ(error,
                  path +
                      ": others may read this codes file; make it yours alone first (chmod 600 " +
                      path + ")");
    }
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    EXPECT_TRUE(codes.Load(path, error)) << error;
    EXPECT_TRUE(codes.Get("CHV1"));
    EXPECT_FALSE(codes.Load(dir.File("missing"), error));
    EXPECT_EQ(error, dir.File("missing") + ": cannot open: No such file or directory");
}

}  // namespace
