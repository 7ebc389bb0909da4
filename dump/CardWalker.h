// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"
#include "FilePageLogic.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// A file the walker looks for: where the catalogue puts it, its short name, and the EF SST
// service it depends on (0: none), which decides whether it is looked for early or late.
struct CWalkTarget {
    std::string m_strPath;
    std::string m_strName;
    bool m_bDirectory = false;
    int m_nService = 0;
};

// Reads a whole card, one APDU per Step(), so that a window can run it one APDU per turn of
// its event loop and a command line in a plain loop. Every APDU goes through the exchange
// function. The card is read where it stands: each SELECT goes from the current directory
// (an EF of it, a child, its parent, a sibling, the MF), each header is fetched once, and a
// directory's counts of DFs and EFs end the search under it once all are found.
class CCardWalker {
public:
    using ExchangeFunction = ::ExchangeFunction;
    // Asked once for a code ("CHV1", "CHV2", "ADM") a file's access condition needs, with the
    // attempts the card says are left (-1: not known); empty for none. The walker presents
    // it once and forgets it.
    using CodeSource = std::function<std::string(const std::string& strCode, int nAttemptsLeft)>;
    struct CIdRange {
        std::uint16_t m_nFirst = 0;
        std::uint16_t m_nLast = 0;
    };

    CCardWalker(std::vector<CWalkTarget> catalogue, ExchangeFunction exchange);

    void SetCodeSource(CodeSource source) { m_codeSource = std::move(source); }
    // Codes already presented in this session (by a window, before the walk): not asked for
    // again, and named in the dump as presented.
    void SetPresented(const std::vector<std::string>& codes);
    // Ids looked for under each directory whose counted files the catalogue did not all find.
    void AddScan(CIdRange range) { m_scans.push_back(range); }
    // "6F00-6FFF" or a single id; false for anything else.
    static bool ParseRange(const std::string& strText, CIdRange& range);

    // Sends at most one APDU; false once the walk has ended (done, cancelled or failed).
    bool Step();
    // Ends the walk before the next APDU; the files read so far stay in the dump.
    void Cancel() { m_bCancelled = true; }

    bool IsFinished() const { return m_bFinished; }
    bool IsCancelled() const { return m_bCancelled; }
    // The exchange failed or the card gave no status word: the walk stopped there.
    bool HasFailed() const { return !m_strFailure.empty(); }
    const std::string& Failure() const { return m_strFailure; }
    // The path of the file the last APDU was about.
    const std::string& CurrentPath() const { return m_strCurrentPath; }

    int FilesDone() const { return static_cast<int>(m_dump.m_files.size()); }
    // The files the card's directories count, once known; never below those done.
    int FilesKnown() const;
    int ApduCount() const { return m_nApdus; }

    CCardDump& Dump() { return m_dump; }
    const CCardDump& Dump() const { return m_dump; }

private:
    using Job = std::function<bool()>;  // true when it sent an APDU
    struct CAnswer {
        CBytes m_data;
        std::string m_strStatus;
        std::uint8_t Sw1() const;
        std::uint8_t Sw2() const;
    };
    struct CDirectory {
        std::optional<CFileHeader> m_header;
        int m_nDfsFound = 0;
        int m_nEfsFound = 0;
        std::set<std::string> m_tried;  // ids a SELECT was sent for
    };

    void Then(std::vector<Job> jobs);
    bool Send(const std::string& strCommand, CAnswer& answer);
    void Fail(const std::string& strWhy);
    void Note(const std::string& strNote) { m_dump.m_notes.push_back(strNote); }
    void Finish();

    std::vector<Job> ChildJobs(const std::string& strDirectory);
    std::vector<const CWalkTarget*> ChildrenInOrder(const std::string& strDirectory) const;
    bool IsAllFound(const std::string& strDirectory, bool bDirectory) const;
    bool IsServiceOff(int nService) const;
    std::vector<std::string> Route(const std::string& strFrom, const std::string& strTo) const;
    Job Reach(const std::string& strDirectory, Job then);
    Job Visit(const std::string& strPath, const std::string& strName, bool bScan);
    bool Select(const std::string& strPath, const std::string& strName, bool bScan);
    bool SelectHop(const std::string& strDirectory);
    bool GetHeader(std::size_t index, std::uint8_t nLength, bool bRetry);
    void Described(std::size_t index);
    void ReadJobs(std::size_t index, const CFileHeader& header);
    bool Verify(const std::string& strCode);
    bool ReadChunk(std::size_t index, std::size_t offset, std::size_t length);
    bool ReadRecord(std::size_t index, std::size_t number, std::uint8_t length);
    static bool IsDirectoryId(const std::string& strId);
    bool IsSelectableFromHere(const std::string& strDirectory) const;
    static bool IsChildLevel(const std::string& strDirectory, const std::string& strId);
    bool CheckCounts(const std::string& strDirectory);
    std::string CodeFor(std::uint8_t access) const;
    int AttemptsLeft(const std::string& strCode) const;

    std::vector<CWalkTarget> m_catalogue;
    ExchangeFunction m_exchange;
    CodeSource m_codeSource;
    std::vector<CIdRange> m_scans;

    std::deque<Job> m_jobs;
    CCardDump m_dump;
    std::map<std::string, CDirectory> m_directories;
    std::set<std::string> m_triedCodes;
    std::string m_strCurrentDf;  // empty: not known, the next SELECT goes from the MF
    std::string m_strCurrentPath;
    std::string m_strFailure;
    int m_nApdus = 0;
    bool m_bStarted = false;
    bool m_bFinished = false;
    bool m_bCancelled = false;
};
