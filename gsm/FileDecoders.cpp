// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDecoders.h"

#include "EfDecoders.h"
#include "SmsFileDecoders.h"

namespace {

constexpr std::uint16_t kMf = 0x3F00;
constexpr std::uint16_t kTelecom = 0x7F10;
constexpr std::uint16_t kGsm = 0x7F20;

struct CDecoderEntry {
    std::uint16_t m_nDfId;
    std::uint16_t m_nFileId;
    FileDecoder m_decoder;
};

// One line per file. The SMS files and their decoders live in their own sources.
// clang-format off
constexpr CDecoderEntry kDecoders[] = {
    {kMf, 0x2FE2, &DecodeIccid},
    {kMf, 0x2F05, &DecodeExtendedLanguagePreference},

    {kTelecom, 0x6F3A, &DecodeDialNumber},                // ADN
    {kTelecom, 0x6F3B, &DecodeDialNumber},                // FDN
    {kTelecom, 0x6F3D, &DecodeCapabilityConfiguration},   // CCP
    {kTelecom, 0x6F40, &DecodeDialNumber},                // MSISDN
    {kTelecom, 0x6F44, &DecodeDialNumber},                // LND
    {kTelecom, 0x6F49, &DecodeDialNumber},                // SDN
    {kTelecom, 0x6F4A, &DecodeExtension},                 // EXT1
    {kTelecom, 0x6F4B, &DecodeExtension},                 // EXT2
    {kTelecom, 0x6F4C, &DecodeExtension},                 // EXT3
    {kTelecom, 0x6F4D, &DecodeBarredDialNumber},          // BDN
    {kTelecom, 0x6F4E, &DecodeExtension},                 // EXT4
    {kTelecom, 0x6F3C, &DecodeSmsRecord},                 // SMS
    {kTelecom, 0x6F42, &DecodeSmsParameters},             // SMSP
    {kTelecom, 0x6F43, &DecodeSmsStatus},                 // SMSS
    {kTelecom, 0x6F47, &DecodeSmsStatusReport},           // SMSR

    {kGsm, 0x6F05, &DecodeLanguagePreference},            // LP
    {kGsm, 0x6F07, &DecodeImsi},
    {kGsm, 0x6F20, &DecodeKc},
    {kGsm, 0x6F32, &DecodeCooperativeNetworks},           // CNL
    {kGsm, 0x6F30, &DecodePlmnSelector},
    {kGsm, 0x6F31, &DecodeHplmnSearchPeriod},             // HPPLMN
    {kGsm, 0x6F37, &DecodeAccumulatedCallMeter},          // ACMmax
    {kGsm, 0x6F38, &DecodeServiceTable},                  // SST
    {kGsm, 0x6F39, &DecodeAccumulatedCallMeter},          // ACM
    {kGsm, 0x6F3E, &DecodeGroupIdentifier},               // GID1
    {kGsm, 0x6F3F, &DecodeGroupIdentifier},               // GID2
    {kGsm, 0x6F41, &DecodePricePerUnit},                  // PUCT
    {kGsm, 0x6F45, &DecodeCellBroadcastIds},              // CBMI
    {kGsm, 0x6F46, &DecodeServiceProviderName},           // SPN
    {kGsm, 0x6F48, &DecodeCellBroadcastIds},              // CBMID
    {kGsm, 0x6F50, &DecodeCellBroadcastRanges},           // CBMIR
    {kGsm, 0x6F52, &DecodeKc},                            // KcGPRS
    {kGsm, 0x6F53, &DecodeLociGprs},
    {kGsm, 0x6F60, &DecodePlmnActList},                   // PLMNwAcT
    {kGsm, 0x6F61, &DecodePlmnActList},                   // OPLMNwAcT
    {kGsm, 0x6F62, &DecodePlmnActList},                   // HPLMNwAcT
    {kGsm, 0x6F74, &DecodeBcch},
    {kGsm, 0x6F78, &DecodeAccessControlClass},
    {kGsm, 0x6F7B, &DecodeForbiddenPlmns},
    {kGsm, 0x6F7E, &DecodeLoci},
    {kGsm, 0x6FAD, &DecodeAdministrativeData},
    {kGsm, 0x6FAE, &DecodePhase},
    {kGsm, 0x6FB1, &DecodeGroupIds},                      // VGCS
    {kGsm, 0x6FB3, &DecodeGroupIds},                      // VBS
    {kGsm, 0x6FB5, &DecodePriorityLevels},                // eMLPP
    {kGsm, 0x6FB6, &DecodeAutoAnswerLevels},              // AAeM
    {kGsm, 0x6FB7, &DecodeEmergencyCallCodes},
    {kGsm, 0x6FC5, &DecodePlmnNetworkName},               // PNN
    {kGsm, 0x6FC6, &DecodeOperatorPlmnList},              // OPL
    {kGsm, 0x6FC7, &DecodeDialNumber},                    // MBDN
    {kGsm, 0x6FC8, &DecodeExtension},                     // EXT6
    {kGsm, 0x6FC9, &DecodeMailboxIds},                    // MBI
    {kGsm, 0x6FCA, &DecodeMessageWaiting},                // MWIS
    {kGsm, 0x6FCB, &DecodeCallForwarding},                // CFIS
    {kGsm, 0x6FCC, &DecodeExtension},                     // EXT7
    {kGsm, 0x6FCD, &DecodeServiceProviderDisplay},        // SPDI
};
// clang-format on

CDecodedContents NoDecoder(std::string_view data, std::string text) {
    CDecodedContents contents(data.size());
    contents.AddProblem(std::move(text));
    return contents;
}

}  // namespace

FileDecoder FindFileDecoder(std::uint16_t dfId, std::uint16_t fileId) {
    for (const CDecoderEntry& entry : kDecoders) {
        if (entry.m_nDfId == dfId && entry.m_nFileId == fileId) return entry.m_decoder;
    }
    return nullptr;
}

CDecodedContents DecodeFile(const CCatalogueEntry& entry, std::string_view data) {
    const FileDecoder decoder = FindFileDecoder(entry.m_nParentId, entry.m_nId);
    if (!decoder) return NoDecoder(data, "no decoder for " + std::string(entry.m_strShortName));
    return decoder(data);
}

CDecodedContents DecodeFile(std::string_view path, std::string_view data) {
    const CCatalogueEntry* pEntry = FindFileByPath(path);
    if (!pEntry) return NoDecoder(data, "\"" + std::string(path) + "\" is not a file of a GSM SIM");
    return DecodeFile(*pEntry, data);
}

CDecodedContents DecodeFile(std::uint16_t dfId, std::uint16_t fileId, std::string_view data) {
    const CCatalogueEntry* pEntry = FindFileById(dfId, fileId);
    if (!pEntry) return NoDecoder(data, "not a file of a GSM SIM");
    return DecodeFile(*pEntry, data);
}
