// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "SimProfile.h"

// The state file keeps what the card changed (file contents, codes and their counters,
// invalidation) across restarts, as a whole profile text closed by an "end" line.
// Saving writes a temporary file beside it, flushes it to disk and renames it over the
// old one, so a crash at any moment leaves either the old or the new state.
class CStateFile {
public:
    enum class LoadResult { Missing, Loaded, Failed };

    explicit CStateFile(std::string path);

    const std::string& GetPath() const { return m_strPath; }
    // Missing: no state yet, start from the profile. Failed: error says why; the caller
    // must not go on and overwrite a state it could not read.
    LoadResult Load(CSimProfile& profile, std::string& error) const;
    bool Save(const CSimProfile& profile, std::string& error) const;

private:
    std::string m_strPath;
};
