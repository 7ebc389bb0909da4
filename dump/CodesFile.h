// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

// The codes a user hands to a dump in a file of their own, never on the command line (where
// the process list and the shell's history would show them): lines CHV1=, CHV2= and ADM=
// (and for a twin UNBLOCK1=, UNBLOCK2= and KI=), blank lines and # comments. A file that
// the group or others may read is refused, as a
// key file would be. The codes live in memory only, for the walk.
class CCodesFile {
public:
    // True with the codes read; false with a message naming the file (and the line).
    static bool Load(const std::string& strPath, std::map<std::string, std::string>& codes,
                     std::string& strError);
    // The same rules over text already read, for the tests and the fuzz target.
    static bool Parse(const std::string& strText, const std::string& strPath,
                      std::map<std::string, std::string>& codes, std::string& strError);

    static constexpr std::size_t kMaximumSize = 4096;
};
