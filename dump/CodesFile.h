#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The codes a user hands a command in a file of lines NAME=VALUE (CHV1, CHV2, UNBLOCK1,
// UNBLOCK2, ADM, and KI for a twin), never on the command line where the process list and
// the shell's history would show them. A file that group or others may read is refused, so
// the codes stay the user's. Blank lines and lines starting with # are skipped.
class CCodesFile {
public:
    using Value = std::array<std::uint8_t, 8>;
    using Key = std::array<std::uint8_t, 16>;

    // False with a message naming the file (and line) when it cannot be read, may be read by
    // others, or holds a line it does not understand.
    bool Load(const std::string& strPath, std::string& strError);
    bool Parse(const std::string& strText, const std::string& strSource, std::string& strError);

    // The code as the card takes it: CHV and UNBLOCK digits in ASCII padded with FF; ADM as
    // digits the same way or 16 hex digits taken as the 8 bytes.
    std::optional<Value> Get(const std::string& strName) const;
    std::optional<Key> GetKi() const { return m_ki; }

    // Overwrites the values before they go.
    ~CCodesFile();

private:
    std::map<std::string, Value> m_values;
    std::optional<Key> m_ki;
};
