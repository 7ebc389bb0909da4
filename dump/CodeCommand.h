// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The APDUs that present or manage a card's codes (VERIFY, CHANGE, DISABLE, ENABLE and
// UNBLOCK CHV), as hex text. A code is typed as 4 to 8 digits, sent as ASCII padded with FF;
// ADM (this virtual card's convention: VERIFY CHV with P2 0A) may also be 16 hex digits.
// Nothing here keeps a code: every buffer that held one is wiped before it is let go.
class CCodeCommand {
public:
    enum class Code { Chv1, Chv2, Adm };

    // The eight bytes of a typed code as hex text, or false when the text is not a code.
    static bool CodeBytes(const std::string& strCode, bool bAdm, std::string& strHex);
    // "CHV1", "CHV2", "ADM" and back; false for any other name.
    static const char* Name(Code code);
    static bool FromName(const std::string& strName, Code& code);

    // Each gives false (and no APDU) when a code given is not usable.
    static bool Verify(Code code, const std::string& strCode, std::string& strApdu);
    static bool Change(Code code, const std::string& strOld, const std::string& strNew,
                       std::string& strApdu);
    static bool Disable(const std::string& strChv1, std::string& strApdu);
    static bool Enable(const std::string& strChv1, std::string& strApdu);
    // UNBLOCK CHV takes the eight-digit unblock code and the new CHV.
    static bool Unblock(Code code, const std::string& strUnblock, const std::string& strNew,
                        std::string& strApdu);

    // Whether the APDU is one of these commands, by its instruction byte.
    static bool IsCodeCommand(const std::string& strApdu);
    // The APDU as a trace may show it: a code command's data as a '*' for each hex digit,
    // any other APDU as it is.
    static std::string Masked(const std::string& strApdu);
    // Overwrites the text's bytes before clearing it.
    static void Forget(std::string& strSecret);

private:
    static bool Build(const char* pHeader, const std::string& strFirst, const std::string* pSecond,
                      bool bAdm, std::string& strApdu);
};
