#include "FilePageLogic.h"

#include "ByteText.h"
#include "FileCommands.h"
#include "FilePath.h"
#include "ResponseText.h"

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
    return true;
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
