// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One decoded field: what it is, its value as UTF-8 text for humans, and where its bytes lie
// in the decoded input (the explorer highlights them). A field's bytes always lie inside
// the input: m_nOffset + m_nLength <= input size.
struct CDecodedField {
    std::string m_strName;
    std::string m_strValue;
    std::size_t m_nOffset = 0;
    std::size_t m_nLength = 0;
};

// The fields of one file's contents or one record, and what could not be decoded: a short
// or spoiled input gives the fields it holds and one problem line for each missing or bad
// part. Decoders build it field by field; Add refuses a field whose bytes would lie outside
// the input, so a decoder's slip shows as a problem instead of a range past the data.
class CDecodedContents {
public:
    explicit CDecodedContents(std::size_t inputSize = 0) : m_nInputSize(inputSize) {}

    std::size_t InputSize() const { return m_nInputSize; }
    // True when bytes [offset, offset + length) lie inside the input.
    bool Has(std::size_t offset, std::size_t length) const {
        return offset <= m_nInputSize && length <= m_nInputSize - offset;
    }

    // Adds the field when its bytes lie inside the input, else notes it missing; returns
    // whether it was added.
    bool Add(std::string name, std::string value, std::size_t offset, std::size_t length);
    // Notes that the field of bytes [offset, offset + length) is cut short by the input's
    // end: "Name: bytes 9 to 10 missing (8 given)". Byte numbers count from 1.
    void Missing(std::string_view name, std::size_t offset, std::size_t length);
    // Any other problem (a spoiled coding, a value out of range), one line.
    void AddProblem(std::string text);
    // Appends another decoding's fields and problems, its offsets moved by base (a record
    // inside a file, a TPDU inside a record). Fields that would leave the input are dropped
    // as problems.
    void Append(const CDecodedContents& inner, std::size_t base, std::string_view namePrefix = {});

    const std::vector<CDecodedField>& Fields() const { return m_vecFields; }
    const std::vector<std::string>& Problems() const { return m_vecProblems; }
    bool Complete() const { return m_vecProblems.empty(); }

    // One line per field ("Name: value"), then one per problem ("Problem: ..."): the text
    // of a tooltip or of `corvanta-card decode`.
    std::vector<std::string> Lines() const;
    // The value of the first field of that name, empty when there is none (tests, callers
    // that want one value).
    std::string Value(std::string_view name) const;

private:
    std::size_t m_nInputSize;
    std::vector<CDecodedField> m_vecFields;
    std::vector<std::string> m_vecProblems;
};
