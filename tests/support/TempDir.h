// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A temporary folder removed with everything in it when the object goes.
class CTempDir {
public:
    explicit CTempDir(const std::string& prefix = "corvanta-test");
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    std::string File(const std::string& name) const { return m_strPath + "/" + name; }

private:
    std::string m_strPath;
};
