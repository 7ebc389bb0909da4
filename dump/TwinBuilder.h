// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"
#include "ChvSet.h"
#include "SimProfile.h"

#include <map>
#include <string>
#include <vector>

class CSimFile;

// Makes a profile of the virtual card (corvanta-vsim) from a dump: the same tree, headers,
// contents and code states, so the virtual card answers every SELECT, GET RESPONSE and
// READ as the dumped card did. A card never gives away its codes or Ki: they come from a
// codes file, else the virtual card's defaults, and Notes() says which. Where the virtual
// card would describe a file other than the dumped card did, the profile carries that
// card's header bytes as the file's header template.
class CTwinBuilder {
public:
    using Codes = std::map<std::string, std::string>;  // as CCodesFile reads them

    // pCodes may be null: every code and the Ki are then the virtual card's defaults.
    explicit CTwinBuilder(const Codes* pCodes) : m_pCodes(pCodes) {}

    // The profile text, or false with a message when the dump cannot make a card (it holds
    // no readable MF header) or a code is not one the card could hold (never echoing it).
    bool Build(const CCardDump& dump, std::string& strProfile, std::string& strError);
    // What the twin does differently or took from elsewhere, one line each, for stderr.
    const std::vector<std::string>& Notes() const { return m_notes; }

private:
    bool AddFile(const CDumpedFile& file);
    bool AddElementary(const CDumpedFile& file, const CFileHeader& header, CSimFile& parent);
    bool DefineCodes(const CFileHeader& mfHeader, CChvSet& codes, CSimProfile::Key& ki,
                     std::string& strError);
    // Compares the virtual card's answer for each file with the dumped header and keeps
    // the dumped bytes as a template where they differ.
    bool AddHeaderTemplates(const CCardDump& dump, const std::string& strProfile,
                            std::string& strError);

    const Codes* m_pCodes;
    std::map<std::string, CSimFile*> m_nodes;  // by dump path
    std::vector<std::string> m_notes;
};
