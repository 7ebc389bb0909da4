// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpCatalogue.h"

#include "FileCatalogue.h"

std::vector<CWalkTarget> CDumpCatalogue::Targets() {
    std::vector<CWalkTarget> targets;
    for (const CCatalogueEntry& entry : FileCatalogue())
        targets.push_back({PathOf(entry), std::string(entry.m_strShortName),
                           entry.m_kind != FileKind::Elementary, entry.m_nService});
    return targets;
}
