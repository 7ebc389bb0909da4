// SPDX-License-Identifier: GPL-3.0-or-later
#include "FilePageLogic.h"

#include "ByteText.h"
#include "FileCommands.h"
#include "FileCatalogue.h"
#include "FileDecoders.h"
#include "FilePath.h"
#include "HexText.h"
#include "ResponseText.h"
#include "StatusWords.h"

bool CFilePageLogic::SelectPath(const ExchangeFunction& exchange) {
    const std::string strTyped = m_fields.m_strPathName;
    m_fields.m_strPathName = CFilePath::Trim(strTyped);
    if (!CFilePath::IsValid(m_fields.m_strPathName)) {
        Fail(kInvalidPath);
        return false;
    }
    std::string strResponse;
    for (const std::string& strId : CFilePath::Identifiers(strTyped)) {
        const long result = exchange(CFileCommands::Select(strId), strResponse);
        if (result != 0 || strResponse.compare(0, 2, "9F") != 0) {
            Fail(kNotFound);
            return false;
        }
    }
    std::string strDescription;
    const long result = exchange(CFileCommands::GetResponse(strResponse), strDescription);
    const std::optional<CFileDescription> description =
        CFileDescription::FromGetResponse(result, strDescription);
    if (!description) {
        Fail(kNotFound);
        return false;
    }
    Describe(*description);
    m_strSelectedPath = m_fields.m_strPathName;
    m_strReadData.clear();
    return true;
}

void CFilePageLogic::Fail(const char* pszMessage) {
    m_eMode = FileMode::None;
    m_fields.m_strProperties = pszMessage;
}

void CFilePageLogic::Describe(const CFileDescription& description) {
    m_fields.m_strProperties = description.m_strProperties;
    m_eMode = description.m_eMode;
    // The MF and a DF leave the facts of the last EF alone; mode 0 hides Read and Update.
    if (!description.m_bElementary) return;
    m_bCyclic = description.m_bCyclic;
    m_bRecordFile = description.m_bRecordFile;
    if (m_bRecordFile) {
        m_strRecordLength = description.m_strRecordLength;
        m_fields.m_strRecordRange = description.m_strRecordRange;
    }
}

bool CFilePageLogic::Read(const ExchangeFunction& exchange) {
    if (m_eMode == FileMode::None) return false;
    std::string strResponse;
    exchange(BuildRead(), strResponse);
    m_fields.m_strData = std::string(SplitResponse(strResponse).data);
    ShowStatusWord(strResponse);
    // Only a whole record or a read from the first byte lines up with the file's layout.
    const bool bFromStart = m_eMode == FileMode::Record || m_fields.m_strOffset.find_first_not_of('0') == std::string::npos;
    const bool bRead = SplitResponse(strResponse).statusWord == "9000";
    m_strReadData = bFromStart && bRead ? m_fields.m_strData : std::string();
    return true;
}

std::string CFilePageLogic::FileTip() const {
    const CCatalogueEntry* pEntry = FindFileByPath(m_strSelectedPath);
    return pEntry && m_eMode != FileMode::None ? DescribeFile(*pEntry) : std::string();
}

std::string CFilePageLogic::DataTip() const {
    if (m_strReadData.empty() || m_strReadData != m_fields.m_strData) return {};
    std::string bytes((m_strReadData.size() + 1) / 2, '\0');
    HexToBytes(m_strReadData, reinterpret_cast<unsigned char*>(bytes.data()));
    std::string tip;
    for (const std::string& line : DecodeFile(m_strSelectedPath, bytes).Lines()) {
        tip += (tip.empty() ? "" : "\n") + line;
    }
    return tip;
}

std::string CFilePageLogic::StatusWordTip() const {
    const std::string& label = m_fields.m_strStatusWord;
    return label.size() >= 4 ? ExplainStatusWord(std::string_view(label).substr(label.size() - 4)) : std::string();
}

bool CFilePageLogic::Update(const ExchangeFunction& exchange) {
    if (m_eMode == FileMode::None) return false;
    std::string strResponse;
    exchange(BuildUpdate(), strResponse);
    ShowStatusWord(strResponse);
    return true;
}

std::string CFilePageLogic::BuildRead() {
    if (m_bRecordFile) {
        m_fields.m_strRecordNumber = PadLeft(m_fields.m_strRecordNumber, 2);
        return CFileCommands::ReadRecord(m_fields.m_strRecordNumber, m_strRecordLength);
    }
    m_fields.m_strOffset = PadLeft(m_fields.m_strOffset, 4);
    m_fields.m_strLength = PadLeft(m_fields.m_strLength, 2);
    return CFileCommands::ReadBinary(m_fields.m_strOffset, m_fields.m_strLength);
}

std::string CFilePageLogic::BuildUpdate() {
    if (m_bRecordFile) {
        m_fields.m_strRecordNumber = PadLeft(m_fields.m_strRecordNumber, 2);
        return CFileCommands::UpdateRecord(m_fields.m_strRecordNumber, m_strRecordLength,
                                           m_fields.m_strData, m_bCyclic);
    }
    m_fields.m_strOffset = PadLeft(m_fields.m_strOffset, 4);
    m_fields.m_strLength = PadLeft(m_fields.m_strLength, 2);
    return CFileCommands::UpdateBinary(m_fields.m_strOffset, m_fields.m_strLength,
                                       m_fields.m_strData);
}

void CFilePageLogic::ShowStatusWord(const std::string& strResponse) {
    m_fields.m_strStatusWord = "SW=" + std::string(SplitResponse(strResponse).statusWord);
}
