// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardDump.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The JSON that pySim-shell's fsdump command writes, read as a dump: "name", "atr" and
// "files", each file with its "path" (names from "MF" down, or one string of them joined by
// '/'), "fcp_raw" (the GET RESPONSE bytes in hex) and "body" (hex for a transparent file, a
// list of hex records for a record file), or an "error" where the card refused it. A GSM
// SIM's fcp_raw is its GSM 11.11 GET RESPONSE, which gives every file's id; a UICC's FCP
// template (TLV 62...) is refused with a message, as is anything else that is not such a
// dump.
class CFsdumpJson {
public:
    static constexpr const char* kProgram = "pySim-shell fsdump";

    // Whether a JSON object looks like one (it has "files" and no "format" of ours).
    static bool IsFsdump(const QByteArray& json);
    static std::optional<CCardDump> FromJson(const QByteArray& json, const QString& strFileName,
                                             QString& strError);
};
