// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCatalogue.h"

#include "DecoderText.h"

#include <array>

namespace {

constexpr std::uint16_t kMf = 0x3F00;
constexpr std::uint16_t kTelecom = 0x7F10;
constexpr std::uint16_t kGsm = 0x7F20;
constexpr std::uint16_t kGraphics = 0x5F50;
constexpr std::uint16_t kSolsa = 0x5F70;
constexpr std::uint16_t kMexe = 0x5F3C;

constexpr FileStructure T = FileStructure::Transparent;
constexpr FileStructure L = FileStructure::LinearFixed;
constexpr FileStructure C = FileStructure::Cyclic;

CCatalogueEntry Df(std::uint16_t id, std::uint16_t parent, std::string_view shortName,
                   std::string_view fullName) {
    return {id,
            parent,
            parent == 0 ? FileKind::Master : FileKind::Dedicated,
            FileStructure::None,
            shortName,
            fullName,
            0,
            0,
            0,
            0};
}

// An EF: record length (record files) or size (transparent), 0 where the issuer chooses;
// minSize the fixed part the standard requires.
CCatalogueEntry Ef(std::uint16_t id, std::uint16_t parent, FileStructure structure,
                   std::string_view shortName, std::string_view fullName, std::uint16_t fixed,
                   std::uint16_t minSize, std::uint8_t service) {
    const bool bRecords = structure != T;
    return {id,
            parent,
            FileKind::Elementary,
            structure,
            shortName,
            fullName,
            static_cast<std::uint16_t>(bRecords ? fixed : 0),
            static_cast<std::uint16_t>(bRecords ? 0 : fixed),
            static_cast<std::uint16_t>(minSize ? minSize : fixed),
            service};
}

// TS 51.011 (Release 4) section 10, in the order of its figure of the file tree.
std::vector<CCatalogueEntry> BuildCatalogue() {
    return {
        Df(kMf, 0, "MF", "Master File"),
        Ef(0x2FE2, kMf, T, "EF ICCID", "ICC Identification", 10, 0, 0),
        Ef(0x2F05, kMf, T, "EF ELP", "Extended Language Preference", 0, 2, 0),
        Df(kTelecom, kMf, "DF TELECOM", "Telecom"),
        Ef(0x6F3A, kTelecom, L, "EF ADN", "Abbreviated Dialling Numbers", 0, 14, 2),
        Ef(0x6F3B, kTelecom, L, "EF FDN", "Fixed Dialling Numbers", 0, 14, 3),
        Ef(0x6F3C, kTelecom, L, "EF SMS", "Short Messages", 176, 0, 4),
        Ef(0x6F3D, kTelecom, L, "EF CCP", "Capability Configuration Parameters", 14, 0, 6),
        Ef(0x6F40, kTelecom, L, "EF MSISDN", "MSISDN", 0, 14, 9),
        Ef(0x6F42, kTelecom, L, "EF SMSP", "Short Message Service Parameters", 0, 28, 12),
        Ef(0x6F43, kTelecom, T, "EF SMSS", "SMS Status", 0, 2, 0),
        Ef(0x6F44, kTelecom, C, "EF LND", "Last Number Dialled", 0, 14, 13),
        Ef(0x6F47, kTelecom, L, "EF SMSR", "Short Message Status Reports", 30, 0, 35),
        Ef(0x6F49, kTelecom, L, "EF SDN", "Service Dialling Numbers", 0, 14, 18),
        Ef(0x6F4A, kTelecom, L, "EF EXT1", "Extension1", 13, 0, 10),
        Ef(0x6F4B, kTelecom, L, "EF EXT2", "Extension2", 13, 0, 11),
        Ef(0x6F4C, kTelecom, L, "EF EXT3", "Extension3", 13, 0, 19),
        Ef(0x6F4D, kTelecom, L, "EF BDN", "Barred Dialling Numbers", 0, 15, 31),
        Ef(0x6F4E, kTelecom, L, "EF EXT4", "Extension4", 13, 0, 32),
        Ef(0x6F4F, kTelecom, L, "EF ECCP", "Extended Capability Configuration Parameter", 0, 15,
           48),
        Ef(0x6F58, kTelecom, L, "EF CMI", "Comparison Method Information", 0, 1, 31),
        Ef(0x6F54, kTelecom, T, "EF SUME", "SetUpMenu Elements", 0, 0, 27),
        Df(kGraphics, kTelecom, "DF GRAPHICS", "Graphics"),
        Ef(0x4F20, kGraphics, L, "EF IMG", "Image", 0, 10, 39),
        Df(kGsm, kMf, "DF GSM", "GSM"),
        Ef(0x6F05, kGsm, T, "EF LP", "Language Preference", 0, 1, 0),
        Ef(0x6F07, kGsm, T, "EF IMSI", "International Mobile Subscriber Identity", 9, 0, 0),
        Ef(0x6F20, kGsm, T, "EF Kc", "Ciphering Key Kc", 9, 0, 0),
        Ef(0x6F30, kGsm, T, "EF PLMNsel", "PLMN Selector", 0, 24, 7),
        Ef(0x6F31, kGsm, T, "EF HPPLMN", "Higher Priority PLMN search period", 1, 0, 0),
        Ef(0x6F37, kGsm, T, "EF ACMmax", "ACM maximum value", 3, 0, 5),
        Ef(0x6F38, kGsm, T, "EF SST", "SIM Service Table", 0, 2, 0),
        Ef(0x6F39, kGsm, C, "EF ACM", "Accumulated Call Meter", 3, 0, 5),
        Ef(0x6F3E, kGsm, T, "EF GID1", "Group Identifier Level 1", 0, 1, 15),
        Ef(0x6F3F, kGsm, T, "EF GID2", "Group Identifier Level 2", 0, 1, 16),
        Ef(0x6F41, kGsm, T, "EF PUCT", "Price per Unit and Currency Table", 5, 0, 5),
        Ef(0x6F45, kGsm, T, "EF CBMI", "Cell Broadcast Message Identifier selection", 0, 2, 14),
        Ef(0x6F46, kGsm, T, "EF SPN", "Service Provider Name", 17, 0, 17),
        Ef(0x6F48, kGsm, T, "EF CBMID", "Cell Broadcast Message Identifier for Data Download", 0, 2,
           25),
        Ef(0x6F50, kGsm, T, "EF CBMIR", "Cell Broadcast Message Identifier Range selection", 0, 4,
           30),
        Ef(0x6F51, kGsm, L, "EF NIA", "Network's Indication of Alerting", 0, 1, 36),
        Ef(0x6F52, kGsm, T, "EF KcGPRS", "GPRS Ciphering Key KcGPRS", 9, 0, 38),
        Ef(0x6F53, kGsm, T, "EF LOCIGPRS", "GPRS Location Information", 14, 0, 38),
        Ef(0x6F60, kGsm, T, "EF PLMNwAcT", "User controlled PLMN Selector with Access Technology",
           0, 40, 43),
        Ef(0x6F61, kGsm, T, "EF OPLMNwAcT",
           "Operator controlled PLMN Selector with Access Technology", 0, 40, 44),
        Ef(0x6F62, kGsm, T, "EF HPLMNwAcT", "HPLMN Selector with Access Technology", 0, 5, 45),
        Ef(0x6F63, kGsm, T, "EF CPBCCH", "CPBCCH Information", 0, 2, 46),
        Ef(0x6F64, kGsm, T, "EF InvScan", "Investigation Scan", 1, 0, 47),
        Ef(0x6F74, kGsm, T, "EF BCCH", "Broadcast Control Channels", 16, 0, 0),
        Ef(0x6F78, kGsm, T, "EF ACC", "Access Control Class", 2, 0, 0),
        Ef(0x6F7B, kGsm, T, "EF FPLMN", "Forbidden PLMNs", 12, 0, 0),
        Ef(0x6F7E, kGsm, T, "EF LOCI", "Location Information", 11, 0, 0),
        Ef(0x6FAD, kGsm, T, "EF AD", "Administrative Data", 0, 3, 0),
        Ef(0x6FAE, kGsm, T, "EF Phase", "Phase identification", 1, 0, 0),
        Ef(0x6FB1, kGsm, T, "EF VGCS", "Voice Group Call Service", 0, 4, 21),
        Ef(0x6FB2, kGsm, T, "EF VGCSS", "Voice Group Call Service Status", 7, 0, 21),
        Ef(0x6FB3, kGsm, T, "EF VBS", "Voice Broadcast Service", 0, 4, 22),
        Ef(0x6FB4, kGsm, T, "EF VBSS", "Voice Broadcast Service Status", 7, 0, 22),
        Ef(0x6FB5, kGsm, T, "EF eMLPP", "enhanced Multi Level Pre-emption and Priority", 2, 0, 23),
        Ef(0x6FB6, kGsm, T, "EF AAeM", "Automatic Answer for eMLPP Service", 1, 0, 24),
        Ef(0x6FB7, kGsm, T, "EF ECC", "Emergency Call Codes", 0, 3, 0),
        Ef(0x6F2C, kGsm, T, "EF DCK", "De-personalization Control Keys", 16, 0, 33),
        Ef(0x6F32, kGsm, T, "EF CNL", "Co-operative Network List", 0, 6, 34),
        Ef(0x6FC5, kGsm, L, "EF PNN", "PLMN Network Name", 0, 0, 51),
        Ef(0x6FC6, kGsm, L, "EF OPL", "Operator PLMN List", 0, 8, 52),
        Ef(0x6FC7, kGsm, L, "EF MBDN", "Mailbox Dialling Numbers", 0, 14, 53),
        Ef(0x6FC8, kGsm, L, "EF EXT6", "Extension6", 13, 0, 53),
        Ef(0x6FC9, kGsm, L, "EF MBI", "Mailbox Identifier", 0, 4, 53),
        Ef(0x6FCA, kGsm, L, "EF MWIS", "Message Waiting Indication Status", 0, 5, 54),
        Ef(0x6FCB, kGsm, L, "EF CFIS", "Call Forwarding Indication Status", 16, 0, 55),
        Ef(0x6FCC, kGsm, L, "EF EXT7", "Extension7", 13, 0, 55),
        Ef(0x6FCD, kGsm, T, "EF SPDI", "Service Provider Display Information", 0, 0, 56),
        Ef(0x6FCE, kGsm, L, "EF MMSN", "MMS Notification", 0, 4, 57),
        Ef(0x6FCF, kGsm, L, "EF EXT8", "Extension8", 0, 0, 58),
        Ef(0x6FD0, kGsm, T, "EF MMSICP", "MMS Issuer Connectivity Parameters", 0, 0, 57),
        Ef(0x6FD1, kGsm, L, "EF MMSUP", "MMS User Preferences", 0, 0, 57),
        Ef(0x6FD2, kGsm, T, "EF MMSUCP", "MMS User Connectivity Parameters", 0, 0, 59),
        Df(kSolsa, kGsm, "DF SoLSA", "Support of Localised Service Areas"),
        Ef(0x4F30, kSolsa, T, "EF SAI", "SoLSA Access Indicator", 0, 1, 40),
        Ef(0x4F31, kSolsa, L, "EF SLL", "SoLSA LSA List", 0, 10, 40),
        Df(kMexe, kGsm, "DF MExE", "Mobile Execution Environment"),
        Ef(0x4F40, kMexe, T, "EF MExE-ST", "MExE Service Table", 0, 1, 49),
        Ef(0x4F41, kMexe, L, "EF ORPK", "Operator Root Public Key", 0, 10, 49),
        Ef(0x4F42, kMexe, L, "EF ARPK", "Administrator Root Public Key", 0, 10, 49),
        Ef(0x4F43, kMexe, L, "EF TPRPK", "Third Party Root Public Key", 0, 10, 49),
    };
}

// TS 51.011 10.3.7: services 1 to 59 of EF SST.
constexpr std::array<std::string_view, 59> kServiceNames = {
    "CHV1 disable function",
    "Abbreviated Dialling Numbers (ADN)",
    "Fixed Dialling Numbers (FDN)",
    "Short Message Storage (SMS)",
    "Advice of Charge (AoC)",
    "Capability Configuration Parameters (CCP)",
    "PLMN selector",
    "RFU",
    "MSISDN",
    "Extension1",
    "Extension2",
    "SMS Parameters",
    "Last Number Dialled (LND)",
    "Cell Broadcast Message Identifier",
    "Group Identifier Level 1",
    "Group Identifier Level 2",
    "Service Provider Name",
    "Service Dialling Numbers (SDN)",
    "Extension3",
    "RFU",
    "VGCS Group Identifier List (EF VGCS and EF VGCSS)",
    "VBS Group Identifier List (EF VBS and EF VBSS)",
    "enhanced Multi-Level Precedence and Pre-emption Service",
    "Automatic Answer for eMLPP",
    "Data download via SMS-CB",
    "Data download via SMS-PP",
    "Menu selection",
    "Call control",
    "Proactive SIM",
    "Cell Broadcast Message Identifier Ranges",
    "Barred Dialling Numbers (BDN)",
    "Extension4",
    "De-personalization Control Keys",
    "Co-operative Network List",
    "Short Message Status Reports",
    "Network's indication of alerting in the MS",
    "Mobile Originated Short Message control by SIM",
    "GPRS",
    "Image (IMG)",
    "SoLSA (Support of Local Service Area)",
    "USSD string data object supported in Call Control",
    "RUN AT COMMAND command",
    "User controlled PLMN Selector with Access Technology",
    "Operator controlled PLMN Selector with Access Technology",
    "HPLMN Selector with Access Technology",
    "CPBCCH Information",
    "Investigation Scan",
    "Extended Capability Configuration Parameters",
    "MExE",
    "Reserved and shall be ignored",
    "PLMN Network Name",
    "Operator PLMN List",
    "Mailbox Dialling Numbers",
    "Message Waiting Indication Status",
    "Call Forwarding Indication Status",
    "Service Provider Display Information",
    "Multimedia Messaging Service (MMS)",
    "Extension 8",
    "MMS User Connectivity Parameters",
};

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) {
            return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        };
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

}  // namespace

const std::vector<CCatalogueEntry>& FileCatalogue() {
    static const std::vector<CCatalogueEntry> catalogue = BuildCatalogue();
    return catalogue;
}

const CCatalogueEntry* FindFileById(std::uint16_t dfId, std::uint16_t fileId) {
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        if (entry.m_nId == fileId && entry.m_nParentId == dfId) return &entry;
    }
    return nullptr;
}

const CCatalogueEntry* FindFileByPath(std::string_view path) {
    const CCatalogueEntry* pEntry = nullptr;
    std::uint16_t parent = 0;
    std::size_t i = 0;
    while (true) {
        if (path.size() - i < 4) return nullptr;
        std::uint16_t id = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const int value = HexDigitValue(path[i + k]);
            if (value < 0) return nullptr;
            id = static_cast<std::uint16_t>(id << 4 | value);
        }
        pEntry = FindFileById(parent, id);
        if (!pEntry) return nullptr;
        parent = id;
        i += 4;
        if (i == path.size()) return pEntry;
        if (path[i] != '\\' && path[i] != '/') return nullptr;
        ++i;
    }
}

std::vector<const CCatalogueEntry*> FindFilesById(std::uint16_t fileId) {
    std::vector<const CCatalogueEntry*> files;
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        if (entry.m_nId == fileId) files.push_back(&entry);
    }
    return files;
}

const CCatalogueEntry* FindFileByName(std::string_view name) {
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        const std::string_view shortName = entry.m_strShortName;
        const std::size_t space = shortName.find(' ');
        const std::string_view bare =
            space == std::string_view::npos ? shortName : shortName.substr(space + 1);
        if (SameLetters(name, shortName) || SameLetters(name, bare)) return &entry;
    }
    return nullptr;
}

std::vector<const CCatalogueEntry*> ChildrenOf(std::uint16_t dfId) {
    std::vector<const CCatalogueEntry*> children;
    for (const CCatalogueEntry& entry : FileCatalogue()) {
        if (entry.m_nParentId == dfId && entry.m_kind != FileKind::Master) {
            children.push_back(&entry);
        }
    }
    return children;
}

std::string PathOf(const CCatalogueEntry& entry) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string path;
    for (const CCatalogueEntry* pEntry = &entry; pEntry;) {
        std::string id;
        for (int shift = 12; shift >= 0; shift -= 4) id += kHex[(pEntry->m_nId >> shift) & 0xF];
        path = path.empty() ? id : id + "\\" + path;
        if (pEntry->m_nParentId == 0) break;
        const std::uint16_t parentId = pEntry->m_nParentId;
        pEntry = nullptr;
        for (const CCatalogueEntry& candidate : FileCatalogue()) {
            if (candidate.m_nId == parentId && candidate.m_kind != FileKind::Elementary) {
                pEntry = &candidate;
                break;
            }
        }
    }
    return path;
}

std::string DescribeFile(const CCatalogueEntry& entry) {
    return std::string(entry.m_strShortName) + ": " + std::string(entry.m_strFullName);
}

std::string_view StructureName(FileStructure structure) {
    switch (structure) {
        case FileStructure::Transparent:
            return "transparent";
        case FileStructure::LinearFixed:
            return "linear fixed";
        case FileStructure::Cyclic:
            return "cyclic";
        case FileStructure::None:
            break;
    }
    return {};
}

std::string_view ServiceName(unsigned service) {
    if (service == 0 || service > kServiceNames.size()) return {};
    return kServiceNames[service - 1];
}

unsigned ServiceCount() {
    return kServiceNames.size();
}
