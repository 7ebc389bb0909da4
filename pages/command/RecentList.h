// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// The commands sent lately, oldest first, as the list "More recent instructions" holds
// them and Command.INI keeps them between runs.
class CRecentList {
public:
    void Append(std::string strEntry) { m_vEntries.push_back(std::move(strEntry)); }

    // After a successful send: every entry equal to strEntry (ignoring case) goes; when
    // none did and the list is full for nCapacity, the oldest goes; strEntry is appended.
    void Remember(const std::string& strEntry, unsigned nCapacity);

    // False when there is no such entry.
    bool Remove(std::size_t index);

    // The values of LastCmd1 to LastCmd<nCapacity>: the entries, then empty texts.
    std::vector<std::string> ValuesToSave(unsigned nCapacity) const;

    const std::vector<std::string>& Entries() const { return m_vEntries; }

private:
    std::vector<std::string> m_vEntries;
};
