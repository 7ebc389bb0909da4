// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodeCommand.h"

#include "HexText.h"
#include "StrictHex.h"

#include <algorithm>
#include <cstdint>
#include <vector>

bool CCodeCommand::CodeBytes(const std::string& strCode, bool bAdm, std::string& strHex) {
    std::vector<std::uint8_t> bytes;
    const bool bDigits = strCode.size() >= 4 && strCode.size() <= 8 &&
                         std::all_of(strCode.begin(), strCode.end(),
                                     [](char c) { return c >= '0' && c <= '9'; });
    if (bDigits) {
        bytes.assign(strCode.begin(), strCode.end());
        bytes.resize(8, 0xFF);
    } else if (!bAdm || strCode.size() != 16 || !AppendStrictHex(strCode, bytes)) {
        std::fill(bytes.begin(), bytes.end(), 0);
        return false;
    }
    strHex = BytesToHex(bytes.data(), static_cast<unsigned>(bytes.size()));
    std::fill(bytes.begin(), bytes.end(), 0);
    return true;
}

const char* CCodeCommand::Name(Code code) {
    switch (code) {
    case Code::Chv1: return "CHV1";
    case Code::Chv2: return "CHV2";
    case Code::Adm: return "ADM";
    }
    return "";
}

bool CCodeCommand::FromName(const std::string& strName, Code& code) {
    for (Code candidate : {Code::Chv1, Code::Chv2, Code::Adm}) {
        if (strName == Name(candidate)) {
            code = candidate;
            return true;
        }
    }
    return false;
}

bool CCodeCommand::Verify(Code code, const std::string& strCode, std::string& strApdu) {
    const char* header = code == Code::Chv1 ? "A020000108" : code == Code::Chv2 ? "A020000208"
                                                                                : "A020000A08";
    return Build(header, strCode, nullptr, code == Code::Adm, strApdu);
}

bool CCodeCommand::Change(Code code, const std::string& strOld, const std::string& strNew,
                          std::string& strApdu) {
    if (code == Code::Adm) return false;
    return Build(code == Code::Chv1 ? "A024000110" : "A024000210", strOld, &strNew, false, strApdu);
}

bool CCodeCommand::Disable(const std::string& strChv1, std::string& strApdu) {
    return Build("A026000108", strChv1, nullptr, false, strApdu);
}

bool CCodeCommand::Enable(const std::string& strChv1, std::string& strApdu) {
    return Build("A028000108", strChv1, nullptr, false, strApdu);
}

bool CCodeCommand::Unblock(Code code, const std::string& strUnblock, const std::string& strNew,
                           std::string& strApdu) {
    if (code == Code::Adm || strUnblock.size() != 8) return false;
    // P2 00 names CHV1 here, not 01: GSM 11.11 numbers the unblock of CHV1 so.
    return Build(code == Code::Chv1 ? "A02C000010" : "A02C000210", strUnblock, &strNew, false,
                 strApdu);
}

bool CCodeCommand::IsCodeCommand(const std::string& strApdu) {
    if (strApdu.size() < 4) return false;
    const std::string ins = strApdu.substr(2, 2);
    return ins == "20" || ins == "24" || ins == "26" || ins == "28" || ins == "2C";
}

std::string CCodeCommand::Masked(const std::string& strApdu) {
    constexpr std::size_t kHeader = 10;
    if (!IsCodeCommand(strApdu) || strApdu.size() <= kHeader) return strApdu;
    return strApdu.substr(0, kHeader) + std::string(strApdu.size() - kHeader, '*');
}

void CCodeCommand::Forget(std::string& strSecret) {
    std::fill(strSecret.begin(), strSecret.end(), '\0');
    strSecret.clear();
}

bool CCodeCommand::Build(const char* pHeader, const std::string& strFirst,
                         const std::string* pSecond, bool bAdm, std::string& strApdu) {
    std::string first, second;
    bool bOk = CodeBytes(strFirst, bAdm, first);
    if (bOk && pSecond) bOk = CodeBytes(*pSecond, bAdm, second);
    if (bOk) strApdu = pHeader + first + second;
    Forget(first);
    Forget(second);
    return bOk;
}
