// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExchangeFunction.h"
#include "FileDescription.h"
#include "FileFields.h"

#include <functional>
#include <string>

// Everything the File page does that needs no window: selecting a path level by level,
// decoding the description, and reading and updating the selected file. The page copies
// its controls into Fields() before an operation, calls it, shows Mode() and copies the
// fields back.
class CFilePageLogic {
public:
    static constexpr const char* kInvalidPath = "Invalid file path";
    static constexpr const char* kNotFound =
        "The reader/card is not ready or the specified file ID is not found";

    // Selects the path in the path field (trimmed there first) and describes the file.
    // True when the file was described: the page then adds the trimmed path to its history.
    bool SelectPath(const ExchangeFunction& exchange);

    // Reads into the data field; false, sending nothing, while no EF is selected.
    bool Read(const ExchangeFunction& exchange);
    // Writes the data field; false, sending nothing, while no EF is selected.
    bool Update(const ExchangeFunction& exchange);

    CFileFields& Fields() { return m_fields; }
    const CFileFields& Fields() const { return m_fields; }
    FileMode Mode() const { return m_eMode; }
    bool IsRecordFile() const { return m_bRecordFile; }

    // Tooltips, UTF-8: the selected file's catalogue name ("EF IMSI: International Mobile
    // Subscriber Identity"), the fields of the data last read (a record, or a transparent
    // file read from offset 0), the meaning of the status word; empty where there is none.
    std::string FileTip() const;
    std::string DataTip() const;
    std::string StatusWordTip() const;

private:
    void Fail(const char* pszMessage);
    void Describe(const CFileDescription& description);
    // Pads the address fields in place and returns the READ or UPDATE command.
    std::string BuildRead();
    std::string BuildUpdate();
    void ShowStatusWord(const std::string& strResponse);

    CFileFields m_fields;
    FileMode m_eMode = FileMode::None;
    bool m_bRecordFile = false;
    bool m_bCyclic = false;
    std::string m_strRecordLength;
    std::string m_strSelectedPath;  // the path described last
    std::string m_strReadData;      // the data of the last read, when it can be decoded
};
