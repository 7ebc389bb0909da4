// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpDiff.h"

#include "DumpShow.h"
#include "FileDecoders.h"
#include "HexText.h"

#include <algorithm>
#include <set>

namespace {

constexpr std::size_t kShownValue = 40;  // characters of a decoded value before "…"

std::string Hex(const CBytes& bytes) {
    return BytesToHex(bytes.data(), bytes.size());
}

std::string Quoted(const std::string& value) {
    if (value.size() <= kShownValue) return "\"" + value + "\"";
    // Cut on a UTF-8 character boundary.
    std::size_t cut = kShownValue;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    return "\"" + value.substr(0, cut) + "…\"";
}

std::string Named(const CDumpedFile& file) {
    return file.m_strName.empty() ? file.m_strPath : file.m_strName;
}

std::string CodeText(const std::optional<CFileHeader::CCodeState>& state) {
    if (!state) return "not given";
    if (!state->m_bInitialised) return "not initialised";
    return std::to_string(state->m_nAttemptsLeft) + " attempts left";
}

// The first and last byte in which two byte strings differ, counted from 1.
std::pair<std::size_t, std::size_t> DifferingRange(const CBytes& a, const CBytes& b) {
    const std::size_t longest = std::max(a.size(), b.size());
    std::size_t first = 0;
    while (first < std::min(a.size(), b.size()) && a[first] == b[first]) ++first;
    std::size_t last = longest;
    while (last > first && last <= std::min(a.size(), b.size()) && a[last - 1] == b[last - 1])
        --last;
    return {first + 1, last};
}

CBytes Slice(const CBytes& bytes, std::size_t first, std::size_t last) {
    if (first > bytes.size()) return {};
    return CBytes(bytes.begin() + (first - 1), bytes.begin() + std::min(last, bytes.size()));
}

}  // namespace

CDumpDiff::CDumpDiff(const CCardDump& a, const CCardDump& b) {
    if (a.m_atr != b.m_atr)
        Add("ATR", "", a.m_atr.empty() ? "(none)" : Hex(a.m_atr),
            b.m_atr.empty() ? "(none)" : Hex(b.m_atr));
    std::set<std::string> seen;
    for (const CDumpedFile& file : a.m_files) {
        seen.insert(file.m_strPath);
        if (const CDumpedFile* pOther = b.Find(file.m_strPath))
            CompareFiles(file, *pOther);
        else
            m_lines.push_back(Named(file) + " (" + file.m_strPath + "): only in the first");
    }
    for (const CDumpedFile& file : b.m_files)
        if (!seen.count(file.m_strPath))
            m_lines.push_back(Named(file) + " (" + file.m_strPath + "): only in the second");
}

void CDumpDiff::Add(const std::string& strName, const std::string& strWhat, const std::string& strA,
                    const std::string& strB) {
    m_lines.push_back(strName + ": " + (strWhat.empty() ? "" : strWhat + " ") + strA + " → " +
                      strB);
}

void CDumpDiff::CompareFiles(const CDumpedFile& a, const CDumpedFile& b) {
    const std::string name = Named(a);
    if (a.m_strSelectStatus != b.m_strSelectStatus)
        Add(name, "SELECT", a.m_strSelectStatus, b.m_strSelectStatus);
    CompareHeaders(name, a, b);
    if (a.m_strReadStatus != b.m_strReadStatus) {
        // What one side could not read is no difference of contents.
        Add(name, "read", a.m_strReadStatus, b.m_strReadStatus);
        return;
    }
    CompareData(name, a.m_strPath, a.m_contents, b.m_contents);
    const std::size_t records = std::max(a.m_records.size(), b.m_records.size());
    if (a.m_records.size() != b.m_records.size())
        Add(name, "records read", std::to_string(a.m_records.size()),
            std::to_string(b.m_records.size()));
    for (std::size_t n = 1;
         n <= std::min(records, std::min(a.m_records.size(), b.m_records.size())); ++n)
        CompareData(name + " record " + std::to_string(n), a.m_strPath, a.m_records[n - 1],
                    b.m_records[n - 1]);
}

void CDumpDiff::CompareHeaders(const std::string& strName, const CDumpedFile& a,
                               const CDumpedFile& b) {
    if (a.m_header == b.m_header) return;
    const std::size_t before = m_lines.size();
    const std::optional<CFileHeader> ha = a.Header(), hb = b.Header();
    auto field = [&](const std::string& what, const std::string& va, const std::string& vb) {
        if (va != vb) Add(strName, what, va, vb);
    };
    if (ha && hb && ha->IsDirectory() == hb->IsDirectory()) {
        if (ha->IsDirectory()) {
            field("free memory", std::to_string(ha->m_nSize), std::to_string(hb->m_nSize));
            field("DFs", std::to_string(ha->m_nDfCount), std::to_string(hb->m_nDfCount));
            field("EFs", std::to_string(ha->m_nEfCount), std::to_string(hb->m_nEfCount));
            field("codes", std::to_string(ha->m_nCodeCount), std::to_string(hb->m_nCodeCount));
            field("CHV1", ha->m_bChv1Disabled ? "disabled" : "enabled",
                  hb->m_bChv1Disabled ? "disabled" : "enabled");
            field("CHV1", CodeText(ha->m_chv1), CodeText(hb->m_chv1));
            field("UNBLOCK CHV1", CodeText(ha->m_unblockChv1), CodeText(hb->m_unblockChv1));
            field("CHV2", CodeText(ha->m_chv2), CodeText(hb->m_chv2));
            field("UNBLOCK CHV2", CodeText(ha->m_unblockChv2), CodeText(hb->m_unblockChv2));
        } else {
            field("size", std::to_string(ha->m_nSize), std::to_string(hb->m_nSize));
            static const char* const structures[] = {"transparent", "linear fixed", "cyclic"};
            field("structure", structures[static_cast<int>(ha->m_eStructure)],
                  structures[static_cast<int>(hb->m_eStructure)]);
            field("record length", std::to_string(ha->m_nRecordLength),
                  std::to_string(hb->m_nRecordLength));
            field("READ", CDumpShow::AccessName(ha->ReadAccess()),
                  CDumpShow::AccessName(hb->ReadAccess()));
            field("UPDATE", CDumpShow::AccessName(ha->UpdateAccess()),
                  CDumpShow::AccessName(hb->UpdateAccess()));
            field("INCREASE", CDumpShow::AccessName(ha->IncreaseAccess()),
                  CDumpShow::AccessName(hb->IncreaseAccess()));
            field("INVALIDATE", CDumpShow::AccessName(ha->InvalidateAccess()),
                  CDumpShow::AccessName(hb->InvalidateAccess()));
            field("REHABILITATE", CDumpShow::AccessName(ha->RehabilitateAccess()),
                  CDumpShow::AccessName(hb->RehabilitateAccess()));
            field("status", ha->IsInvalidated() ? "invalidated" : "not invalidated",
                  hb->IsInvalidated() ? "invalidated" : "not invalidated");
        }
    }
    // Bytes no field above reads (RFU bytes, clock-stop bits, extra bytes) still count.
    if (m_lines.size() == before) Add(strName, "header", Hex(a.m_header), Hex(b.m_header));
}

void CDumpDiff::CompareData(const std::string& strName, const std::string& strPath, const CBytes& a,
                            const CBytes& b) {
    if (a == b) return;
    const std::size_t before = m_lines.size();
    const CDecodedContents da =
        DecodeFile(strPath, {reinterpret_cast<const char*>(a.data()), a.size()});
    const CDecodedContents db =
        DecodeFile(strPath, {reinterpret_cast<const char*>(b.data()), b.size()});
    const auto& fa = da.Fields();
    const auto& fb = db.Fields();
    for (std::size_t i = 0; i < std::max(fa.size(), fb.size()); ++i) {
        const std::string name = i < fa.size() ? fa[i].m_strName : fb[i].m_strName;
        const std::string va = i < fa.size() ? Quoted(fa[i].m_strValue) : "(none)";
        const std::string vb = i < fb.size() ? Quoted(fb[i].m_strValue) : "(none)";
        if (va != vb || (i < fa.size() && i < fb.size() && fa[i].m_strName != fb[i].m_strName))
            Add(strName, name, va, vb);
    }
    if (m_lines.size() != before) return;
    // Nothing decoded tells them apart: the bytes that differ.
    const auto [first, last] = DifferingRange(a, b);
    const std::string where =
        first == last ? "byte " + std::to_string(first)
                      : "bytes " + std::to_string(first) + " to " + std::to_string(last);
    Add(strName, where, Hex(Slice(a, first, last)), Hex(Slice(b, first, last)));
}
