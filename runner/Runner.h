// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <string>
#include <vector>

class CCardReader;
class CRunOptions;
class CRunRows;

// corvanta-run from its arguments to its exit code: reads the script, picks and connects
// the reader, plays every row with the Script page's engine, writes the export and trace
// files and checks the results against a golden export.
class CRunner {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kMismatch = 1;
    static constexpr int kError = 2;  // usage, file, service or reader

    CRunner(std::FILE* pOut, std::FILE* pErr) : m_pOut(pOut), m_pErr(pErr) {}

    int Run(const QStringList& arguments);

private:
    // At most this many differences are listed; the rest are counted.
    static constexpr std::size_t kShownDifferences = 5;

    int Fail(const std::string& strMessage);
    int FailFile(const char* pszWhat, const QString& path, const QString& reason);
    int ListReaders(CCardReader& reader);
    // The names of the readers, or an empty list after reporting why there are none.
    std::vector<std::string> ReaderNames(CCardReader& reader);
    int Connect(CCardReader& reader, const std::string& strReader);
    int RunScript(const CRunOptions& options, std::vector<std::string> commands,
                  const std::vector<std::string>& golden);
    // A run whose exchanges failed is no success, however many rows were answered.
    int FailExchanges(const CRunRows& rows, const std::string& strReader);
    int Check(const QString& goldenPath, const std::vector<std::string>& golden,
              const CRunRows& rows);

    std::FILE* m_pOut;
    std::FILE* m_pErr;
};
