// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The File page's fields as text, the way the page copies them to and from its controls.
struct CFileFields {
    std::string m_strPathName;
    std::string m_strProperties;
    std::string m_strData;
    std::string m_strOffset;
    std::string m_strLength;
    std::string m_strRecordNumber;
    std::string m_strRecordRange;  // "( 01-06 )" beside the record number
    std::string m_strStatusWord;   // the label "SW=" + four digits
};
