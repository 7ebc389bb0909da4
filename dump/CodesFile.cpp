// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodesFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

void Wipe(std::string& secret) {
    std::fill(secret.begin(), secret.end(), '\0');
    secret.clear();
}

}  // namespace

bool CCodesFile::Parse(const std::string& text, const std::string& path,
                       std::map<std::string, std::string>& codes, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        const std::string content = Trimmed(line);
        Wipe(line);
        if (content.empty() || content[0] == '#') continue;
        const std::size_t equals = content.find('=');
        const std::string key = Trimmed(content.substr(0, equals));
        // A twin also takes the UNBLOCK codes and the Ki it is to answer with.
        const bool bKnown = key == "CHV1" || key == "CHV2" || key == "ADM" || key == "UNBLOCK1" ||
                            key == "UNBLOCK2" || key == "KI";
        if (equals == std::string::npos || !bKnown) {
            error = where + "a line is CHV1=, CHV2=, ADM=, UNBLOCK1=, UNBLOCK2= or KI= and a code";
            return false;
        }
        if (codes.count(key) != 0) {
            error = where + key + " is given twice";
            return false;
        }
        codes[key] = Trimmed(content.substr(equals + 1));
    }
    return true;
}

bool CCodesFile::Load(const std::string& path, std::map<std::string, std::string>& codes,
                      std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = path + ": could not open (" + std::strerror(errno) + ")";
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = path + ": not a file";
        return false;
    }
    if ((info.st_mode & (S_IRGRP | S_IROTH | S_IWGRP | S_IWOTH)) != 0) {
        ::close(fd);
        error = path + ": others may read or change this file of codes; make it yours alone (chmod 600)";
        return false;
    }
    std::string text(kMaximumSize + 1, '\0');
    std::size_t length = 0;
    while (length < text.size()) {
        const ssize_t got = ::read(fd, &text[length], text.size() - length);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            Wipe(text);
            error = path + ": could not read (" + std::strerror(errno) + ")";
            return false;
        }
        if (got == 0) break;
        length += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (length > kMaximumSize) {
        Wipe(text);
        error = path + ": longer than a file of codes can be";
        return false;
    }
    text.resize(length);
    const bool bParsed = Parse(text, path, codes, error);
    Wipe(text);
    return bParsed;
}
