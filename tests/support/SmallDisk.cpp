// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmallDisk.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <vector>

CSmallDisk::~CSmallDisk() {
    if (m_bMounted) ::umount2(m_dir.Path().c_str(), MNT_DETACH);
}

bool CSmallDisk::Mount(std::size_t bytes, std::string& reason) {
    // A namespace of this process alone: the mount never shows outside the test.
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        reason = std::string("no private mount namespace: ") + std::strerror(errno);
        return false;
    }
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    if (::mount("tmpfs", m_dir.Path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
        reason = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        return false;
    }
    m_bMounted = true;
    return true;
}

bool CSmallDisk::Fill() {
    const int fd = ::open(File("filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const std::vector<char> block(4096, 'x');
    // Whole blocks first, then single bytes for what a partly used block still holds.
    for (std::size_t size = block.size(); size > 0; size /= 2)
        while (::write(fd, block.data(), size) == static_cast<ssize_t>(size)) {
        }
    const bool bFull = ::write(fd, block.data(), 1) < 0 && errno == ENOSPC;
    ::close(fd);
    return bFull;
}

bool CSmallDisk::MakeReadOnly() {
    return ::mount(nullptr, m_dir.Path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
