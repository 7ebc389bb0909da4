// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DecodedContents.h"

#include <string_view>

// Field decoders of the elementary files, one for each file (or family of files of one
// layout). Each takes the file's contents (transparent) or one record and never reads
// past it. FileDecoders.cpp maps file ids onto them.

// Identity and location (IdentityDecoders.cpp)
CDecodedContents DecodeIccid(std::string_view data);
CDecodedContents DecodeImsi(std::string_view data);
CDecodedContents DecodeKc(std::string_view data);  // Kc and KcGPRS
CDecodedContents DecodeLoci(std::string_view data);
CDecodedContents DecodeLociGprs(std::string_view data);
CDecodedContents DecodeAdministrativeData(std::string_view data);
CDecodedContents DecodePhase(std::string_view data);
CDecodedContents DecodeAccessControlClass(std::string_view data);
CDecodedContents DecodeBcch(std::string_view data);
CDecodedContents DecodeGroupIdentifier(std::string_view data);  // GID1, GID2

// Networks (NetworkDecoders.cpp)
CDecodedContents DecodePlmnSelector(std::string_view data);  // PLMNsel
CDecodedContents DecodeForbiddenPlmns(std::string_view data);
CDecodedContents DecodePlmnActList(std::string_view data);  // PLMNwAcT, OPLMNwAcT, HPLMNwAcT
CDecodedContents DecodeHplmnSearchPeriod(std::string_view data);
CDecodedContents DecodePlmnNetworkName(std::string_view data);         // PNN
CDecodedContents DecodeOperatorPlmnList(std::string_view data);        // OPL
CDecodedContents DecodeServiceProviderDisplay(std::string_view data);  // SPDI
CDecodedContents DecodeCooperativeNetworks(std::string_view data);     // CNL

// Services, languages, names (ServiceDecoders.cpp)
CDecodedContents DecodeServiceTable(std::string_view data);  // SST
CDecodedContents DecodeServiceProviderName(std::string_view data);
CDecodedContents DecodeLanguagePreference(std::string_view data);          // LP
CDecodedContents DecodeExtendedLanguagePreference(std::string_view data);  // ELP
CDecodedContents DecodeEmergencyCallCodes(std::string_view data);          // ECC
CDecodedContents DecodeCellBroadcastIds(std::string_view data);            // CBMI, CBMID
CDecodedContents DecodeCellBroadcastRanges(std::string_view data);         // CBMIR
CDecodedContents DecodeGroupIds(std::string_view data);                    // VGCS, VBS
CDecodedContents DecodePriorityLevels(std::string_view data);              // eMLPP
CDecodedContents DecodeAutoAnswerLevels(std::string_view data);            // AAeM
CDecodedContents DecodeMailboxIds(std::string_view data);                  // MBI
CDecodedContents DecodeMessageWaiting(std::string_view data);              // MWIS
CDecodedContents DecodeCallForwarding(std::string_view data);              // CFIS

// Charging (ServiceDecoders.cpp)
CDecodedContents DecodeAccumulatedCallMeter(std::string_view data);  // ACM, ACMmax
CDecodedContents DecodePricePerUnit(std::string_view data);          // PUCT

// Dialling numbers (DialNumberDecoders.cpp)
CDecodedContents DecodeDialNumber(std::string_view data);        // ADN, FDN, SDN, LND, MSISDN
CDecodedContents DecodeBarredDialNumber(std::string_view data);  // BDN
CDecodedContents DecodeExtension(std::string_view data);         // EXT1-EXT4
CDecodedContents DecodeCapabilityConfiguration(std::string_view data);  // CCP
