// SPDX-License-Identifier: GPL-3.0-or-later
#include "StateFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

CStateFile::CStateFile(std::string path) : m_strPath(std::move(path)) {}

CStateFile::LoadResult CStateFile::Load(CSimProfile& profile, std::string& error) const {
    struct stat info {};
    if (::stat(m_strPath.c_str(), &info) != 0) {
        if (errno == ENOENT) return LoadResult::Missing;
        error = "state file " + m_strPath + ": " + std::strerror(errno);
        return LoadResult::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "state file " + m_strPath + " is not a regular file";
        return LoadResult::Failed;
    }
    std::ifstream in(m_strPath, std::ios::binary);
    if (!in) {
        error = "state file " + m_strPath + ": cannot open: " + std::strerror(errno);
        return LoadResult::Failed;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = "state file " + m_strPath + ": read error";
        return LoadResult::Failed;
    }
    std::string parseError;
    if (!profile.Parse(text.str(), m_strPath, parseError)) {
        error = "state file is corrupt: " + parseError;
        return LoadResult::Failed;
    }
    if (!profile.HasEndMarker()) {
        error = "state file " + m_strPath + " is cut short (its closing \"end\" line is missing)";
        return LoadResult::Failed;
    }
    return LoadResult::Loaded;
}

bool CStateFile::Save(const CSimProfile& profile, std::string& error) const {
    std::string text = profile.ToText();
    std::string folder = FolderOf(m_strPath);
    std::string pattern = m_strPath + ".tmpXXXXXX";
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        error = "state file " + m_strPath + ": cannot create a temporary file in " + folder + ": " +
                std::strerror(errno);
        return false;
    }
    bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    int savedErrno = errno;
    ::close(fd);
    if (!written || ::rename(tempName.data(), m_strPath.c_str()) != 0) {
        if (written) savedErrno = errno;
        ::unlink(tempName.data());
        error = "state file " + m_strPath + ": cannot write: " + std::strerror(savedErrno);
        return false;
    }
    // The rename itself is durable only once the folder is flushed.
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}
