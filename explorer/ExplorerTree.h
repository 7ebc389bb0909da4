// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"

#include <string>
#include <vector>

// One row of the explorer's tree: a file of the card or of a dump, with the label it shows.
struct CExplorerNode {
    std::string m_strPath;   // 3F00\7F20\6F07
    std::string m_strLabel;  // "EF IMSI 001010123456789", "EF ADN 4 of 10 used"
    int m_nParent = -1;      // index of the directory above; -1 for the MF
    int m_nFile = -1;        // index in the dump's files; -1 for a file not read yet
    std::vector<int> m_children;
};

// The tree of an explorer: the catalogue's files first (so a card not yet read still shows
// what may be there), then what a dump holds beyond them. Files not in the catalogue show
// their id in hex.
class CExplorerTree {
public:
    // bCatalogue: include the catalogue's files the dump does not hold (a live card, where
    // each is read when opened); false for a dump, which shows only what it holds.
    static CExplorerTree Build(const CCardDump& dump, bool bCatalogue);

    const std::vector<CExplorerNode>& Nodes() const { return m_nodes; }
    // The node of a path, -1 when there is none.
    int Find(const std::string& strPath) const;

    // "EF IMSI 001010123456789": the name, then one line of what the file holds.
    static std::string Label(const std::string& strPath, const CDumpedFile* pFile);
    // What a read file holds in a few words; empty when there is nothing to say.
    static std::string Summary(const CDumpedFile& file);

private:
    int Add(const std::string& strPath, const CDumpedFile* pFile, int nFile);
    std::vector<CExplorerNode> m_nodes;
};
