// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardWalker.h"

#include "CodeCommand.h"
#include "FileCommands.h"
#include "HexText.h"
#include "StrictHex.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr const char* kMf = "3F00";
// EF SST says which optional files a card holds, so its directory and the file itself are
// read before the files that depend on it.
constexpr const char* kSstDirectory = "3F00\\7F20";
constexpr const char* kSstPath = "3F00\\7F20\\6F38";
constexpr std::size_t kLargestRead = 256;

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string IdOf(const std::string& path) {
    return path.size() >= 4 ? path.substr(path.size() - 4) : path;
}

std::string Hex2(std::size_t value) {
    const auto byte = static_cast<std::uint8_t>(value & 0xFF);
    return BytesToHex(&byte, 1);
}

std::string Hex4(std::uint16_t value) { return Hex2(value >> 8) + Hex2(value & 0xFF); }

std::string Shown(const std::string& path, const std::string& name) {
    return name.empty() ? path : name + " (" + path + ")";
}

std::string Plural(int count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

std::uint8_t CCardWalker::CAnswer::Sw1() const { return HexPairToByte(m_strStatus.substr(0, 2)); }
std::uint8_t CCardWalker::CAnswer::Sw2() const { return HexPairToByte(m_strStatus.substr(2, 2)); }

CCardWalker::CCardWalker(std::vector<CWalkTarget> catalogue, ExchangeFunction exchange)
    : m_catalogue(std::move(catalogue)), m_exchange(std::move(exchange)) {}

bool CCardWalker::ParseRange(const std::string& text, CIdRange& range) {
    const std::size_t dash = text.find('-');
    const std::string first = text.substr(0, dash);
    const std::string last = dash == std::string::npos ? first : text.substr(dash + 1);
    CBytes a, b;
    if (first.size() != 4 || last.size() != 4 || !AppendStrictHex(first, a) ||
        !AppendStrictHex(last, b))
        return false;
    range.m_nFirst = static_cast<std::uint16_t>(a[0] << 8 | a[1]);
    range.m_nLast = static_cast<std::uint16_t>(b[0] << 8 | b[1]);
    return range.m_nFirst <= range.m_nLast;
}

int CCardWalker::FilesKnown() const {
    int known = 1;
    for (const auto& [path, directory] : m_directories)
        if (directory.m_header) known += directory.m_header->m_nDfCount + directory.m_header->m_nEfCount;
    return std::max(known, FilesDone());
}

bool CCardWalker::Step() {
    if (m_bFinished) return false;
    if (!m_bStarted) {
        m_bStarted = true;
        m_jobs.push_back(Visit(kMf, "MF", false));
    }
    while (!m_jobs.empty() && !m_bCancelled && !HasFailed()) {
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        if (job()) return true;
    }
    Finish();
    return false;
}

void CCardWalker::Finish() {
    m_bFinished = true;
    m_jobs.clear();
    m_dump.m_bComplete = !m_bCancelled && !HasFailed();
    if (m_bCancelled) Note("Cancelled while reading " + m_strCurrentPath);
    if (HasFailed()) Note(m_strFailure);
}

void CCardWalker::Then(std::vector<Job> jobs) {
    m_jobs.insert(m_jobs.begin(), std::make_move_iterator(jobs.begin()),
                  std::make_move_iterator(jobs.end()));
}

void CCardWalker::Fail(const std::string& why) {
    if (m_strFailure.empty()) m_strFailure = why;
}

bool CCardWalker::Send(const std::string& command, CAnswer& answer) {
    std::string response;
    ++m_nApdus;
    const long result = m_exchange(command, response);
    if (result != 0) {
        char code[16];
        std::snprintf(code, sizeof code, "%08X", static_cast<unsigned>(static_cast<std::uint32_t>(result)));
        Fail("The card was lost while reading " + m_strCurrentPath + " (PC/SC error 0x" + code + ")");
        return false;
    }
    CBytes bytes;
    if (response.size() < 4 || !AppendStrictHex(response, bytes)) {
        Fail("The card gave no status word while reading " + m_strCurrentPath);
        return false;
    }
    answer.m_strStatus = response.substr(response.size() - 4);
    answer.m_data.assign(bytes.begin(), bytes.end() - 2);
    return true;
}

// --- Where to look and in which order ----------------------------------------------------

bool CCardWalker::IsServiceOff(int service) const {
    if (service <= 0) return false;
    const CDumpedFile* sst = m_dump.Find(kSstPath);
    if (sst == nullptr || !sst->IsRead()) return false;
    const std::size_t bit = static_cast<std::size_t>(service - 1) * 2;
    if (bit / 8 >= sst->m_contents.size()) return true;
    const std::uint8_t pair = (sst->m_contents[bit / 8] >> (bit % 8)) & 0x03;
    return pair != 0x03;  // allocated and activated
}

// EFs before DFs, so that a directory is done before the walk leaves it; the SST and its
// directory first; files of services the SST says are off last, where the counts usually
// stop the search before them.
std::vector<const CWalkTarget*> CCardWalker::ChildrenInOrder(const std::string& directory) const {
    std::vector<const CWalkTarget*> children;
    for (const CWalkTarget& target : m_catalogue)
        if (ParentOf(target.m_strPath) == directory) children.push_back(&target);
    std::stable_sort(children.begin(), children.end(), [](const CWalkTarget* a, const CWalkTarget* b) {
        const auto rank = [](const CWalkTarget* t) {
            if (t->m_strPath == kSstPath || t->m_strPath == kSstDirectory) return 0;
            return t->m_bDirectory ? 2 : 1;
        };
        return rank(a) < rank(b);
    });
    return children;
}

bool CCardWalker::IsAllFound(const std::string& directory, bool bDirectory) const {
    const auto it = m_directories.find(directory);
    if (it == m_directories.end() || !it->second.m_header) return false;
    const CDirectory& d = it->second;
    return bDirectory ? d.m_nDfsFound >= d.m_header->m_nDfCount
                      : d.m_nEfsFound >= d.m_header->m_nEfCount;
}

// The DFs to select, in order, to make strTo the current directory: one SELECT for the
// MF, a child, the parent, a sibling or itself; else the shorter of climbing and of going
// down from the MF.
std::vector<std::string> CCardWalker::Route(const std::string& from, const std::string& to) const {
    if (from == to) return {};
    if (to == kMf || from.empty() || ParentOf(to) == from || ParentOf(from) == to ||
        (!ParentOf(to).empty() && ParentOf(to) == ParentOf(from)))
        return {to};
    std::vector<std::string> best = Route(kMf, ParentOf(to));
    best.insert(best.begin(), kMf);
    best.push_back(to);
    if (from != kMf && !ParentOf(from).empty()) {
        std::vector<std::string> climb = Route(ParentOf(from), to);
        climb.insert(climb.begin(), ParentOf(from));
        if (climb.size() < best.size()) best = climb;
    }
    std::vector<std::string> down = Route(from, ParentOf(to));
    down.push_back(to);
    if (down.size() < best.size()) best = down;
    return best;
}

CCardWalker::Job CCardWalker::Reach(const std::string& directory, Job then) {
    return [this, directory, then = std::move(then)]() {
        std::vector<Job> jobs;
        for (const std::string& hop : Route(m_strCurrentDf, directory))
            jobs.push_back([this, hop]() { return SelectHop(hop); });
        jobs.push_back(then);
        Then(std::move(jobs));
        return false;
    };
}

bool CCardWalker::SelectHop(const std::string& directory) {
    m_strCurrentPath = directory;
    CAnswer answer;
    if (!Send(CFileCommands::Select(IdOf(directory)), answer)) return true;
    const std::uint8_t sw1 = answer.Sw1();
    m_strCurrentDf = (sw1 == 0x9F || sw1 == 0x61) ? directory : std::string();
    return true;
}

// --- One file: SELECT, GET RESPONSE, the reads --------------------------------------------

// A DF is selected straight from wherever the card stands when the rules allow it (the
// DF beside the current one, its parent, a child); anything else from its directory.
CCardWalker::Job CCardWalker::Visit(const std::string& path, const std::string& name, bool bScan) {
    return [this, path, name, bScan]() {
        const bool bDirectory = IsDirectoryId(IdOf(path));
        Job select = [this, path, name, bScan]() { return Select(path, name, bScan); };
        const std::string parent = ParentOf(path);
        if (parent.empty() || (bDirectory && IsSelectableFromHere(path)))
            Then({std::move(select)});
        else
            Then({Reach(parent, std::move(select))});
        return false;
    };
}

bool CCardWalker::IsDirectoryId(const std::string& id) {
    return id.compare(0, 2, "7F") == 0 || id.compare(0, 2, "5F") == 0 || id == kMf;
}

bool CCardWalker::IsSelectableFromHere(const std::string& directory) const {
    return !m_strCurrentDf.empty() && Route(m_strCurrentDf, directory).size() <= 1;
}

bool CCardWalker::Select(const std::string& path, const std::string& name, bool bScan) {
    const std::string parent = ParentOf(path);
    const bool bReached = IsDirectoryId(IdOf(path)) ? IsSelectableFromHere(path) || parent.empty()
                                                    : m_strCurrentDf == parent;
    if (!bReached) {
        Note("Could not select the directory of " + Shown(path, name) + "; not read");
        return false;
    }
    m_strCurrentPath = path;
    if (!parent.empty()) m_directories[parent].m_tried.insert(IdOf(path));
    CAnswer answer;
    if (!Send(CFileCommands::Select(IdOf(path)), answer)) return true;
    const std::uint8_t sw1 = answer.Sw1();
    if (answer.m_strStatus == "9404" || answer.m_strStatus == "6A82") return true;  // not held
    if (bScan && sw1 != 0x9F && sw1 != 0x61) return true;
    CDumpedFile file;
    file.m_strPath = path;
    file.m_strName = name;
    file.m_strSelectStatus = answer.m_strStatus;
    m_dump.m_files.push_back(file);
    const std::size_t index = m_dump.m_files.size() - 1;
    if (sw1 != 0x9F && sw1 != 0x61) {
        Note(Shown(path, name) + ": SELECT refused with " + answer.m_strStatus);
        return true;
    }
    const std::uint8_t length = answer.Sw2();
    Then({[this, index, length]() { return GetHeader(index, length, false); }});
    return true;
}

bool CCardWalker::GetHeader(std::size_t index, std::uint8_t length, bool bRetry) {
    CDumpedFile& file = m_dump.m_files[index];
    if (length == 0) {
        Note(file.m_strPath + ": the SELECT announced an empty description; not read");
        return false;
    }
    CAnswer answer;
    if (!Send("A0C00000" + Hex2(length), answer)) return true;
    CDumpedFile& described = m_dump.m_files[index];
    described.m_strHeaderStatus = answer.m_strStatus;
    const std::uint8_t sw1 = answer.Sw1(), sw2 = answer.Sw2();
    if ((sw1 == 0x67 || sw1 == 0x6C) && sw2 != 0 && sw2 < length && !bRetry) {
        Then({[this, index, sw2]() { return GetHeader(index, sw2, true); }});
        return true;
    }
    if (answer.m_strStatus != "9000" || answer.m_data.size() != length) {
        Note(described.m_strPath + ": GET RESPONSE answered " + std::to_string(answer.m_data.size()) +
             " bytes and " + answer.m_strStatus + " where " + std::to_string(length) +
             " bytes were asked; not read");
        return true;
    }
    described.m_header = answer.m_data;
    Described(index);
    return true;
}

void CCardWalker::Described(std::size_t index) {
    const CDumpedFile& file = m_dump.m_files[index];
    const std::optional<CFileHeader> header = file.Header();
    const std::string parent = file.ParentPath();
    if (!header) {
        Note(file.m_strPath + ": the description is not one GSM 11.11 knows; not read");
        return;
    }
    if (!parent.empty()) {
        CDirectory& above = m_directories[parent];
        ++(header->IsDirectory() ? above.m_nDfsFound : above.m_nEfsFound);
    }
    if (header->IsDirectory()) {
        m_strCurrentDf = file.m_strPath;
        m_directories[file.m_strPath].m_header = header;
        Then(ChildJobs(file.m_strPath));
    } else {
        ReadJobs(index, *header);
    }
}

// Two passes over the EFs: the files of services the SST says are off come last, where
// the directory's counts usually end the search before them. The SST is read first, so the
// question is asked once it can be answered.
std::vector<CCardWalker::Job> CCardWalker::ChildJobs(const std::string& directory) {
    std::vector<Job> jobs;
    const std::vector<const CWalkTarget*> children = ChildrenInOrder(directory);
    for (const bool bLatePass : {false, true}) {
        for (const CWalkTarget* target : children) {
            if (target->m_bDirectory) continue;
            const CWalkTarget child = *target;
            jobs.push_back([this, directory, child, bLatePass]() {
                if (IsAllFound(directory, false)) return false;
                if (IsServiceOff(child.m_nService) != bLatePass) return false;
                Then({Visit(child.m_strPath, child.m_strName, false)});
                return false;
            });
        }
    }
    for (const CWalkTarget* target : children) {
        if (!target->m_bDirectory) continue;
        const CWalkTarget child = *target;
        jobs.push_back([this, directory, child]() {
            if (IsAllFound(directory, true)) return false;
            Then({Visit(child.m_strPath, child.m_strName, false)});
            return false;
        });
    }
    jobs.push_back([this, directory]() { return CheckCounts(directory); });
    return jobs;
}

std::string CCardWalker::CodeFor(std::uint8_t access) const {
    if (access == 0x01) return "CHV1";
    if (access == 0x02) return "CHV2";
    if (access >= 0x04 && access <= 0x0E) return "ADM";
    return std::string();
}

int CCardWalker::AttemptsLeft(const std::string& code) const {
    const auto it = m_directories.find(m_strCurrentDf);
    if (it == m_directories.end() || !it->second.m_header) return -1;
    const auto& state = code == "CHV1" ? it->second.m_header->m_chv1
                        : code == "CHV2" ? it->second.m_header->m_chv2
                                         : std::optional<CFileHeader::CCodeState>();
    return state ? state->m_nAttemptsLeft : -1;
}

void CCardWalker::ReadJobs(std::size_t index, const CFileHeader& header) {
    std::vector<Job> jobs;
    const std::string code = CodeFor(header.ReadAccess());
    const auto mf = m_directories.find(kMf);
    const bool bChv1Off = mf != m_directories.end() && mf->second.m_header &&
                          mf->second.m_header->m_bChv1Disabled;
    if (!code.empty() && m_triedCodes.count(code) == 0 && !(code == "CHV1" && bChv1Off))
        jobs.push_back([this, code]() { return Verify(code); });
    if (header.IsRecordFile()) {
        for (std::size_t n = 1; n <= header.RecordCount(); ++n)
            jobs.push_back([this, index, n, length = header.m_nRecordLength]() {
                return ReadRecord(index, n, length);
            });
    } else {
        for (std::size_t offset = 0; offset < header.m_nSize; offset += kLargestRead)
            jobs.push_back([this, index, offset, size = header.m_nSize]() {
                return ReadChunk(index, offset, std::min(kLargestRead, size - offset));
            });
    }
    jobs.push_back([this, index]() {
        CDumpedFile& file = m_dump.m_files[index];
        if (file.m_strReadStatus.empty()) file.m_strReadStatus = "9000";
        return false;
    });
    Then(std::move(jobs));
}

void CCardWalker::SetPresented(const std::vector<std::string>& codes) {
    for (const std::string& code : codes) {
        if (m_triedCodes.insert(code).second) m_dump.m_verified.push_back(code);
    }
}

bool CCardWalker::Verify(const std::string& code) {
    m_triedCodes.insert(code);
    const int attempts = AttemptsLeft(code);
    if (attempts == 0) {
        Note(code + " is blocked; files that need it are kept with their refusal");
        return false;
    }
    std::string secret = m_codeSource ? m_codeSource(code, attempts) : std::string();
    std::string data;
    const bool bUsable = CCodeCommand::CodeBytes(secret, code == "ADM", data);
    const bool bGiven = !secret.empty();
    CCodeCommand::Forget(secret);
    if (!bGiven) {
        Note(code + " not given; files that need it are kept with their refusal");
        return false;
    }
    if (!bUsable) {
        Note(code + (code == "ADM" ? " is not 4 to 8 digits or 16 hex digits" : " is not 4 to 8 digits") +
             "; not presented");
        return false;
    }
    const std::string p2 = code == "CHV1" ? "01" : code == "CHV2" ? "02" : "0A";
    CAnswer answer;
    const bool bSent = Send("A02000" + p2 + "08" + data, answer);
    CCodeCommand::Forget(data);
    if (!bSent) return true;
    if (answer.m_strStatus == "9000") {
        m_dump.m_verified.push_back(code);
    } else if (answer.m_strStatus == "9840") {
        Note(code + " refused (9840): the code is now blocked");
    } else {
        const std::string left =
            attempts > 0 ? ": " + Plural(attempts - 1, "attempt") + " left" : "";
        Note(code + " refused (" + answer.m_strStatus + ")" + left + "; not tried again");
    }
    return true;
}

bool CCardWalker::ReadChunk(std::size_t index, std::size_t offset, std::size_t length) {
    if (!m_dump.m_files[index].m_strReadStatus.empty()) return false;
    m_strCurrentPath = m_dump.m_files[index].m_strPath;
    CAnswer answer;
    if (!Send(CFileCommands::ReadBinary(Hex4(static_cast<std::uint16_t>(offset)), Hex2(length)), answer))
        return true;
    if (answer.m_strStatus != "9000") {
        m_dump.m_files[index].m_strReadStatus = answer.m_strStatus;
        return true;
    }
    if (answer.m_data.size() != length) {
        m_dump.m_files[index].m_strReadStatus = answer.m_strStatus;
        m_dump.m_files[index].m_contents.clear();
        Note(m_strCurrentPath + ": READ BINARY answered " + std::to_string(answer.m_data.size()) +
             " bytes where " + std::to_string(length) + " were asked; contents not kept");
        return true;
    }
    CBytes& contents = m_dump.m_files[index].m_contents;
    contents.insert(contents.end(), answer.m_data.begin(), answer.m_data.end());
    return true;
}

bool CCardWalker::ReadRecord(std::size_t index, std::size_t number, std::uint8_t length) {
    if (!m_dump.m_files[index].m_strReadStatus.empty()) return false;
    m_strCurrentPath = m_dump.m_files[index].m_strPath;
    CAnswer answer;
    if (!Send(CFileCommands::ReadRecord(Hex2(number), Hex2(length)), answer)) return true;
    CDumpedFile& file = m_dump.m_files[index];
    if (answer.m_strStatus != "9000") {
        file.m_strReadStatus = answer.m_strStatus;
        return true;
    }
    if (answer.m_data.size() != length) {
        file.m_strReadStatus = answer.m_strStatus;
        file.m_records.clear();
        Note(m_strCurrentPath + ": READ RECORD answered " + std::to_string(answer.m_data.size()) +
             " bytes where " + std::to_string(length) + " were asked; records not kept");
        return true;
    }
    file.m_records.push_back(answer.m_data);
    return true;
}

// --- Counts and scans ----------------------------------------------------------------------

// First-level DFs are 7Fxx and second-level ones 5Fxx: a DF id of another level would select
// the MF's or a parent's DF, not a child, and lose the walker's place.
bool CCardWalker::IsChildLevel(const std::string& directory, const std::string& id) {
    const std::size_t depth = std::count(directory.begin(), directory.end(), '\\');
    if (id.compare(0, 2, "7F") == 0) return depth == 0;
    if (id.compare(0, 2, "5F") == 0) return depth == 1;
    return true;
}

bool CCardWalker::CheckCounts(const std::string& directory) {
    const auto it = m_directories.find(directory);
    if (it == m_directories.end() || !it->second.m_header) return false;
    const CDirectory& d = it->second;
    const int missingDfs = d.m_header->m_nDfCount - d.m_nDfsFound;
    const int missingEfs = d.m_header->m_nEfCount - d.m_nEfsFound;
    if (missingDfs <= 0 && missingEfs <= 0) return false;
    const CDumpedFile* file = m_dump.Find(directory);
    const std::string shown = Shown(directory, file ? file->m_strName : std::string());
    std::string note = shown + " holds " + Plural(d.m_header->m_nDfCount, "DF") + " and " +
                       Plural(d.m_header->m_nEfCount, "EF") + "; the catalogue found " +
                       std::to_string(d.m_nDfsFound) + " and " + std::to_string(d.m_nEfsFound);
    if (m_scans.empty()) {
        Note(note + ": look for the others with --scan (for example --scan 6F00-6FFF)");
        return false;
    }
    Note(note + ": looking for the others in the --scan ranges");
    std::vector<Job> jobs;
    for (const CIdRange& range : m_scans) {
        for (std::uint32_t id = range.m_nFirst; id <= range.m_nLast; ++id) {
            const std::string hex = Hex4(static_cast<std::uint16_t>(id));
            jobs.push_back([this, directory, hex]() {
                const CDirectory& here = m_directories[directory];
                if (IsAllFound(directory, false) && IsAllFound(directory, true)) return false;
                if (here.m_tried.count(hex) != 0 || hex == kMf || m_dump.Find(directory + "\\" + hex) ||
                    m_directories.count(directory + "\\" + hex) != 0)
                    return false;
                if (!IsChildLevel(directory, hex)) return false;
                Then({Visit(directory + "\\" + hex, std::string(), true)});
                return false;
            });
        }
    }
    jobs.push_back([this, directory]() {
        const auto found = m_directories.find(directory);
        const CDirectory& after = found->second;
        const int stillDfs = after.m_header->m_nDfCount - after.m_nDfsFound;
        const int stillEfs = after.m_header->m_nEfCount - after.m_nEfsFound;
        if (stillDfs > 0 || stillEfs > 0)
            Note(directory + ": " + std::to_string(std::max(stillDfs, 0) + std::max(stillEfs, 0)) +
                 " files are not in the --scan ranges either");
        return false;
    });
    Then(std::move(jobs));
    return false;
}
