// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class FileKind : std::uint8_t { Master, Dedicated, Elementary };
enum class FileStructure : std::uint8_t { None, Transparent, LinearFixed, Cyclic };

// One file of a GSM SIM as the standard names it. Sizes the standard leaves to the issuer
// are 0: m_nRecordLength for record files whose records end in an issuer-chosen part
// ("X+14"), m_nSize for transparent files of variable size. m_nMinSize is the least the
// standard allows (the fixed part), also for variable files.
struct CCatalogueEntry {
    std::uint16_t m_nId = 0;
    std::uint16_t m_nParentId = 0;  // 0 for the MF
    FileKind m_kind = FileKind::Elementary;
    FileStructure m_structure = FileStructure::None;
    std::string_view m_strShortName;  // "EF IMSI", "DF TELECOM"
    std::string_view m_strFullName;   // "International Mobile Subscriber Identity"
    std::uint16_t m_nRecordLength = 0;
    std::uint16_t m_nSize = 0;
    std::uint16_t m_nMinSize = 0;
    std::uint8_t m_nService = 0;  // the EF SST service it depends on, 0 for none
};

// Every file, parents before children.
const std::vector<CCatalogueEntry>& FileCatalogue();

// The file of that id directly under the DF (or MF) dfId, else nullptr.
const CCatalogueEntry* FindFileById(std::uint16_t dfId, std::uint16_t fileId);
// The file of a path of four-digit ids from the MF, separated by '\' or '/', any hex case:
// "3F00\7F20\6F07". nullptr for an unknown path or malformed text.
const CCatalogueEntry* FindFileByPath(std::string_view path);
// Every file of that id, in catalogue order (an id may stand under more than one DF).
std::vector<const CCatalogueEntry*> FindFilesById(std::uint16_t fileId);
// The file of a short name, with or without its "EF "/"DF " prefix, any case: "IMSI",
// "ef imsi", "DF TELECOM". nullptr when none has it.
const CCatalogueEntry* FindFileByName(std::string_view name);
// The files directly under a DF, in catalogue order.
std::vector<const CCatalogueEntry*> ChildrenOf(std::uint16_t dfId);

// "3F00\7F20\6F07".
std::string PathOf(const CCatalogueEntry& entry);
// "EF IMSI: International Mobile Subscriber Identity" — a tooltip's line.
std::string DescribeFile(const CCatalogueEntry& entry);
// "transparent", "linear fixed", "cyclic"; empty for a DF.
std::string_view StructureName(FileStructure structure);

// The name of service n of EF SST ("Service Provider Name"); empty when unknown.
std::string_view ServiceName(unsigned service);
// The highest service number with a name.
unsigned ServiceCount();
