// SPDX-License-Identifier: GPL-3.0-or-later
#include "DecodedContents.h"

#include <utility>

bool CDecodedContents::Add(std::string name, std::string value, std::size_t offset,
                           std::size_t length) {
    if (!Has(offset, length)) {
        Missing(name, offset, length);
        return false;
    }
    m_vecFields.push_back({std::move(name), std::move(value), offset, length});
    return true;
}

void CDecodedContents::Missing(std::string_view name, std::size_t offset, std::size_t length) {
    std::string text(name);
    const std::size_t first = offset + 1;
    const std::size_t last = offset + (length == 0 ? 1 : length);
    text += first == last ? ": byte " + std::to_string(first)
                          : ": bytes " + std::to_string(first) + " to " + std::to_string(last);
    text += " missing (" + std::to_string(m_nInputSize) + " given)";
    m_vecProblems.push_back(std::move(text));
}

void CDecodedContents::AddProblem(std::string text) {
    m_vecProblems.push_back(std::move(text));
}

void CDecodedContents::Append(const CDecodedContents& inner, std::size_t base,
                              std::string_view namePrefix) {
    for (const CDecodedField& field : inner.Fields()) {
        Add(std::string(namePrefix) + field.m_strName, field.m_strValue, base + field.m_nOffset,
            field.m_nLength);
    }
    for (const std::string& problem : inner.Problems()) {
        m_vecProblems.push_back(std::string(namePrefix) + problem);
    }
}

std::vector<std::string> CDecodedContents::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(m_vecFields.size() + m_vecProblems.size());
    for (const CDecodedField& field : m_vecFields) {
        lines.push_back(field.m_strName + ": " + field.m_strValue);
    }
    for (const std::string& problem : m_vecProblems) lines.push_back("Problem: " + problem);
    return lines;
}

std::string CDecodedContents::Value(std::string_view name) const {
    for (const CDecodedField& field : m_vecFields) {
        if (field.m_strName == name) return field.m_strValue;
    }
    return {};
}
