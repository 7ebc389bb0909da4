// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentList.h"

#include "ByteText.h"

#include <algorithm>

void CRecentList::Remember(const std::string& strEntry, unsigned nCapacity) {
    const auto sameCommand = [&strEntry](const std::string& entry) {
        return EqualNoCase(entry, strEntry);
    };
    const auto firstRemoved = std::remove_if(m_vEntries.begin(), m_vEntries.end(), sameCommand);
    const bool bRemovedAny = firstRemoved != m_vEntries.end();
    m_vEntries.erase(firstRemoved, m_vEntries.end());
    if (!bRemovedAny && !m_vEntries.empty() && m_vEntries.size() >= nCapacity) {
        m_vEntries.erase(m_vEntries.begin());
    }
    m_vEntries.push_back(strEntry);
}

bool CRecentList::Remove(std::size_t index) {
    if (index >= m_vEntries.size()) return false;
    m_vEntries.erase(m_vEntries.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

// A capacity lowered in the file while the program ran leaves more entries than keys:
// the newest are kept, since they are the ones the user sent last.
std::vector<std::string> CRecentList::ValuesToSave(unsigned nCapacity) const {
    std::vector<std::string> values(nCapacity);
    const std::size_t count = std::min<std::size_t>(nCapacity, m_vEntries.size());
    std::copy(m_vEntries.end() - static_cast<std::ptrdiff_t>(count), m_vEntries.end(), values.begin());
    return values;
}
