// SPDX-License-Identifier: GPL-3.0-or-later
// The codes file: its lines, and a file others may read refused before a line is read.

#include "CodesFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

namespace {

using Codes = std::map<std::string, std::string>;

TEST(CodesFile, ReadsItsLinesAndNamesTheLineItRefuses) {
    struct CCase {
        const char* text;
        Codes codes;
        const char* error;
    };
    const std::vector<CCase> cases = {
        {"CHV1=1234\n", {{"CHV1", "1234"}}, ""},
        {"# mine\n\n  CHV2 = 5678 \r\nADM=0A0A0A0A0A0A0A0A", {{"CHV2", "5678"}, {"ADM", "0A0A0A0A0A0A0A0A"}}, ""},
        {"", {}, ""},
        {"CHV1=1234\nCHV3=1\n", {}, "codes:2: a line is CHV1=, CHV2=, ADM=, UNBLOCK1=, UNBLOCK2= or KI= and a code"},
        {"chv1=1234\n", {}, "codes:1: a line is CHV1="},
        {"CHV1 1234\n", {}, "codes:1: a line is CHV1="},
        {"CHV1=1\nCHV1=2\n", {}, "codes:2: CHV1 is given twice"},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.text);
        Codes codes;
        std::string error;
        const bool bRead = CCodesFile::Parse(c.text, "codes", codes, error);
        EXPECT_EQ(bRead, *c.error == '\0');
        if (bRead) {
            EXPECT_EQ(codes, c.codes);
        }
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        // A refused line's code is not echoed back in the message.
        EXPECT_EQ(error.find("1234"), std::string::npos);
    }
}

TEST(CodesFile, RefusesAFileOthersMayReadOrChange) {
    CTempDir dir;
    const std::string path = dir.File("codes");
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("CHV1=1234\n", file);
    std::fclose(file);
    const std::vector<std::pair<mode_t, bool>> modes = {
        {0600, true}, {0400, true}, {0640, false}, {0604, false}, {0620, false}, {0602, false}};
    for (const auto& [mode, allowed] : modes) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        Codes codes;
        std::string error;
        EXPECT_EQ(CCodesFile::Load(path, codes, error), allowed) << error;
        if (!allowed) {
            EXPECT_NE(error.find("(chmod 600)"), std::string::npos) << error;
        }
        EXPECT_EQ(codes.size(), allowed ? 1u : 0u);
    }
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs(std::string(CCodesFile::kMaximumSize + 1, '#').c_str(), file);
    std::fclose(file);
    Codes codes;
    std::string error;
    EXPECT_FALSE(CCodesFile::Load(path, codes, error));
    EXPECT_EQ(error, path + ": longer than a file of codes can be");
    EXPECT_FALSE(CCodesFile::Load(dir.File("none"), codes, error));
    EXPECT_EQ(error.rfind(dir.File("none") + ": could not open", 0), 0u) << error;
}

}  // namespace
