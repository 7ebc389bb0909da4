#include "CodesFile.h"

#include "StrictHex.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

bool IsDigits(const std::string& text, std::size_t least, std::size_t most) {
    return text.size() >= least && text.size() <= most &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

CCodesFile::~CCodesFile() {
    for (auto& entry : m_values) entry.second.fill(0);
    if (m_ki) m_ki->fill(0);
}

bool CCodesFile::Load(const std::string& strPath, std::string& strError) {
    struct stat info {};
    if (::stat(strPath.c_str(), &info) != 0) {
        strError = strPath + ": cannot open: " + std::strerror(errno);
        return false;
    }
    if ((info.st_mode & (S_IRGRP | S_IROTH)) != 0) {
        strError = strPath +
                   ": others may read this codes file; make it yours alone first (chmod 600 " +
                   strPath + ")";
        return false;
    }
    std::ifstream in(strPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        strError = strPath + ": cannot read";
        return false;
    }
    std::string content = text.str();
    const bool bParsed = Parse(content, strPath, strError);
    std::fill(content.begin(), content.end(), '\0');
    return bParsed;
}

bool CCodesFile::Parse(const std::string& strText, const std::string& strSource,
                       std::string& strError) {
    std::istringstream in(strText);
    std::size_t nLine = 0;
    for (std::string line; std::getline(in, line);) {
        ++nLine;
        const std::string where = strSource + ":" + std::to_string(nLine) + ": ";
        line = Trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        const std::size_t equals = line.find('=');
        const std::string name = Trimmed(line.substr(0, equals));
        const std::string value =
            equals == std::string::npos ? "" : Trimmed(line.substr(equals + 1));
        std::vector<std::uint8_t> bytes;
        if (name == "KI") {
            if (!AppendStrictHex(value, bytes) || bytes.size() != 16) {
                strError = where + "KI needs 32 hex digits";
                return false;
            }
            m_ki.emplace();
            std::copy(bytes.begin(), bytes.end(), m_ki->begin());
            continue;
        }
        const bool bChv = name == "CHV1" || name == "CHV2";
        const bool bUnblock = name == "UNBLOCK1" || name == "UNBLOCK2";
        if (!bChv && !bUnblock && name != "ADM") {
            strError = where + "expected CHV1=, CHV2=, UNBLOCK1=, UNBLOCK2=, ADM= or KI=";
            return false;
        }
        Value code;
        code.fill(0xFF);
        if (IsDigits(value, bUnblock ? 8 : 4, 8)) {
            std::copy(value.begin(), value.end(), code.begin());
        } else if (name == "ADM" && value.size() == 16 && AppendStrictHex(value, bytes)) {
            std::copy(bytes.begin(), bytes.end(), code.begin());
        } else {
            // The value itself is never echoed.
            strError = where + name +
                       (bUnblock ? " needs 8 digits"
                        : bChv   ? " needs 4 to 8 digits"
                                 : " needs 4 to 8 digits or 16 hex digits");
            return false;
        }
        m_values[name] = code;
    }
    return true;
}

std::optional<CCodesFile::Value> CCodesFile::Get(const std::string& strName) const {
    auto it = m_values.find(strName);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}
