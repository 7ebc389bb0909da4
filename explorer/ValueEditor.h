// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DumpedFile.h"
#include "EncodeResult.h"

#include <optional>
#include <string>
#include <vector>

// The values of a file or record as a user types them, for the files whose values have
// an encoder: dialling numbers (name and number), SPN, IMSI, the PLMN lists and the
// language lists. Each input shows the current value as text; the typed texts encode to the
// new bytes, every byte the editor does not show (a dialling number's capability and
// extension ids, for one) kept as it was. Other files are edited as hex.
class CValueEditor {
public:
    struct CInput {
        std::string m_strLabel;  // "Name"
        std::string m_strHint;   // how to type it, for a tooltip and placeholder
        std::string m_strValue;  // the current value as text
    };

    // nullopt when strName (the catalogue's "EF ADN") has no editor. current: the record or
    // contents as read; size: the record length or file size the new bytes must have.
    static std::optional<CValueEditor> For(const std::string& strName, const CBytes& current,
                                           std::size_t size);

    const std::vector<CInput>& Inputs() const { return m_inputs; }
    // The bytes of the typed texts (one per input, in order), or false and strError.
    bool Encode(const std::vector<std::string>& values, CBytes& bytes, std::string& strError) const;

private:
    enum class Kind { DialNumber, BarredDialNumber, Spn, Imsi, PlmnList, PlmnActList, Languages, LanguageTags };

    CValueEditor(Kind kind, CBytes current, std::size_t size) : m_kind(kind), m_current(std::move(current)), m_nSize(size) {}
    void AddInput(std::string strLabel, std::string strHint, std::string strValue);
    CEncodeResult Encoded(const std::vector<std::string>& values) const;

    Kind m_kind;
    CBytes m_current;
    std::size_t m_nSize;
    std::vector<CInput> m_inputs;
};
