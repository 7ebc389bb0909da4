// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "TempDir.h"

// A tiny tmpfs of the test's own, mounted in a mount namespace of this process only, so it
// vanishes with the process and nobody else sees it. Needs the right to mount (root, as in
// CI); Mount() says why when it is not granted, for GTEST_SKIP.
class CSmallDisk {
public:
    CSmallDisk() = default;
    ~CSmallDisk();
    CSmallDisk(const CSmallDisk&) = delete;
    CSmallDisk& operator=(const CSmallDisk&) = delete;

    bool Mount(std::size_t bytes, std::string& reason);
    // Takes every free byte with a filler file, as on a full disk.
    bool Fill();
    // No write succeeds any more, not even root's.
    bool MakeReadOnly();

    const std::string& Path() const { return m_dir.Path(); }
    std::string File(const std::string& name) const { return m_dir.File(name); }

private:
    CTempDir m_dir{"corvanta-smalldisk"};
    bool m_bMounted = false;
};
