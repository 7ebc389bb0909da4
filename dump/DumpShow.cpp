// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpShow.h"

#include "FileDecoders.h"
#include "FileDescription.h"
#include "HexText.h"

#include <algorithm>
#include <sstream>

namespace {

std::string Hex(const CBytes& bytes) {
    return BytesToHex(bytes.data(), bytes.size());
}

std::size_t Depth(const std::string& strPath) {
    return static_cast<std::size_t>(std::count(strPath.begin(), strPath.end(), '\\'));
}

std::string Code(const char* name, const std::optional<CFileHeader::CCodeState>& state) {
    if (!state || !state->m_bInitialised) return std::string(name) + " not initialised";
    return std::string(name) + " " + std::to_string(state->m_nAttemptsLeft) + " left";
}

std::string DescribeHeader(const CFileHeader& h) {
    std::ostringstream out;
    if (h.IsDirectory()) {
        out << h.m_nSize << " bytes free, " << h.m_nDfCount << " DFs, " << h.m_nEfCount << " EFs; "
            << Code("CHV1", h.m_chv1) << (h.m_bChv1Disabled ? " (disabled)" : "") << ", "
            << Code("UNBLOCK CHV1", h.m_unblockChv1) << ", " << Code("CHV2", h.m_chv2) << ", "
            << Code("UNBLOCK CHV2", h.m_unblockChv2);
        return out.str();
    }
    static const char* const structures[] = {"transparent", "linear fixed", "cyclic"};
    out << structures[static_cast<int>(h.m_eStructure)];
    if (h.IsRecordFile())
        out << ", " << h.RecordCount() << " records of " << int(h.m_nRecordLength) << " bytes";
    else
        out << ", " << h.m_nSize << " bytes";
    out << "; READ " << CDumpShow::AccessName(h.ReadAccess()) << ", UPDATE "
        << CDumpShow::AccessName(h.UpdateAccess());
    if (h.m_eStructure == CFileHeader::Structure::Cyclic)
        out << ", INCREASE " << CDumpShow::AccessName(h.IncreaseAccess());
    if (h.IsInvalidated()) out << "; invalidated";
    return out.str();
}

bool IsErased(const CBytes& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xFF; });
}

void ShowData(const std::string& strPath, const CBytes& data, const std::string& indent,
              std::ostringstream& out) {
    const CDecodedContents decoded =
        DecodeFile(strPath, {reinterpret_cast<const char*>(data.data()), data.size()});
    if (decoded.Fields().empty()) {
        out << indent << Hex(data) << '\n';
        return;
    }
    for (const std::string& line : decoded.Lines()) out << indent << line << '\n';
}

void ShowFile(const CDumpedFile& file, std::ostringstream& out) {
    const std::string indent(2 * Depth(file.m_strPath), ' ');
    out << indent << file.Id() << ' '
        << (file.m_strName.empty() ? "(not in the catalogue)" : file.m_strName);
    const std::optional<CFileHeader> header = file.Header();
    if (!header) {
        out << ": SELECT " << file.m_strSelectStatus
            << (file.m_strHeaderStatus.empty() ? "" : ", GET RESPONSE " + file.m_strHeaderStatus)
            << '\n';
        return;
    }
    out << ": " << DescribeHeader(*header) << '\n';
    if (header->IsDirectory()) return;
    const std::string inner = indent + "    ";
    if (!file.IsRead()) {
        out << inner << "not read: "
            << (file.m_strReadStatus.empty() ? "no read sent" : file.m_strReadStatus) << '\n';
        if (file.m_records.empty() && file.m_contents.empty()) return;
    }
    if (!header->IsRecordFile()) {
        ShowData(file.m_strPath, file.m_contents, inner, out);
        return;
    }
    std::size_t erased = 0;
    for (std::size_t n = 1; n <= file.m_records.size(); ++n) {
        const CBytes& record = file.m_records[n - 1];
        if (IsErased(record)) {
            ++erased;
            continue;
        }
        out << inner << "record " << n << ":\n";
        ShowData(file.m_strPath, record, inner + "  ", out);
    }
    if (erased) out << inner << erased << (erased == 1 ? " empty record\n" : " empty records\n");
}

}  // namespace

std::string CDumpShow::Text(const CCardDump& dump) {
    std::ostringstream out;
    out << "ATR " << Hex(dump.m_atr) << '\n';
    if (!dump.m_strTaken.empty() || !dump.m_strProgram.empty())
        out << "taken " << dump.m_strTaken << " by " << dump.m_strProgram
            << (dump.m_strReader.empty() ? "" : " from " + dump.m_strReader) << '\n';
    if (!dump.m_bComplete) out << "INCOMPLETE: the dump stopped before the end\n";
    for (const std::string& note : dump.m_notes) out << "note: " << note << '\n';
    for (const CDumpedFile& file : dump.m_files) ShowFile(file, out);
    return out.str();
}

std::string CDumpShow::AccessName(std::uint8_t nibble) {
    return CFileDescription::AccessConditionName(std::string(1, "0123456789ABCDEF"[nibble & 0x0F]));
}
