// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// One node of the card's file tree: the MF, a DF or an EF with its header and content.
// Record files keep their records in one buffer; a cyclic file rotates a start index
// instead of moving bytes, so an UPDATE in PREVIOUS mode costs one record copy.
class CSimFile {
public:
    enum class Kind : std::uint8_t { Mf = 1, Df = 2, Ef = 4 };
    enum class Structure : std::uint8_t { Transparent = 0, LinearFixed = 1, Cyclic = 3 };

    // Access condition nibbles as they travel in the SELECT response.
    enum Access : std::uint8_t { Always = 0x0, Chv1 = 0x1, Chv2 = 0x2, Adm = 0x4, Never = 0xF };

    // File status bits: b1 set while not invalidated, b3 set when reads and updates
    // stay allowed after invalidation.
    static constexpr std::uint8_t StatusValid = 0x01;
    static constexpr std::uint8_t StatusUsableInvalidated = 0x04;

    // Header templates: at least the bytes the card writes itself (a directory's up to the
    // UNBLOCK CHV2 status, an EF's up to the record length), at most what 9Fxx announces.
    static constexpr std::size_t MinDirectoryHeaderLength = 22;
    static constexpr std::size_t MinEfHeaderLength = 15;
    static constexpr std::size_t MaxHeaderLength = 255;

    CSimFile(Kind kind, std::uint16_t id);

    Kind GetKind() const { return m_kind; }
    bool IsDirectory() const { return m_kind != Kind::Ef; }
    std::uint16_t GetId() const { return m_nId; }
    CSimFile* GetParent() const { return m_pParent; }

    // Tree.
    CSimFile* AddChild(std::unique_ptr<CSimFile> pChild);
    CSimFile* FindChild(std::uint16_t id) const;
    const std::vector<std::unique_ptr<CSimFile>>& GetChildren() const { return m_children; }
    std::size_t CountChildren(Kind kind) const;

    // Directory header.
    std::uint16_t GetFreeMemory() const { return m_nFreeMemory; }
    void SetFreeMemory(std::uint16_t bytes) { m_nFreeMemory = bytes; }

    // EF header.
    Structure GetStructure() const { return m_structure; }
    bool IsRecordFile() const { return m_structure != Structure::Transparent; }
    void MakeTransparent(std::size_t size);
    void MakeRecords(Structure structure, std::size_t recordLength, std::size_t recordCount);
    std::size_t GetSize() const { return m_content.size(); }
    std::size_t GetRecordLength() const { return m_nRecordLength; }
    std::size_t GetRecordCount() const { return m_nRecordCount; }

    std::uint8_t GetReadAccess() const { return m_nReadAccess; }
    std::uint8_t GetUpdateAccess() const { return m_nUpdateAccess; }
    std::uint8_t GetIncreaseAccess() const { return m_nIncreaseAccess; }
    std::uint8_t GetInvalidateAccess() const { return m_nInvalidateAccess; }
    std::uint8_t GetRehabilitateAccess() const { return m_nRehabilitateAccess; }
    void SetAccess(std::uint8_t read, std::uint8_t update, std::uint8_t increase,
                   std::uint8_t invalidate, std::uint8_t rehabilitate);
    // INCREASE needs a cyclic file whose increase condition is not NEV.
    bool IsIncreaseAllowed() const;

    std::uint8_t GetStatus() const { return m_nStatus; }
    void SetStatus(std::uint8_t status) { m_nStatus = status; }
    bool IsInvalidated() const { return (m_nStatus & StatusValid) == 0; }
    bool IsUsableWhenInvalidated() const { return (m_nStatus & StatusUsableInvalidated) != 0; }

    // The GET RESPONSE bytes another card gave for this file (a twin's). The card answers
    // them with the fields it keeps itself written over them, so bytes it has no model of
    // (RFU bits, clock-stop flags, counts of files it was not shown, extra bytes) stay as
    // that card had them. Empty: the standard response.
    const std::vector<std::uint8_t>& GetHeaderTemplate() const { return m_headerTemplate; }
    void SetHeaderTemplate(std::vector<std::uint8_t> header) {
        m_headerTemplate = std::move(header);
    }

    // Transparent content.
    const std::vector<std::uint8_t>& GetContent() const { return m_content; }
    std::uint8_t* GetBytes(std::size_t offset) { return m_content.data() + offset; }

    // Records, numbered from 1 in the card's logical order (for a cyclic file record 1 is
    // the newest). The caller checks 1 <= number <= count.
    std::uint8_t* GetRecord(std::size_t number);
    const std::uint8_t* GetRecord(std::size_t number) const;
    // Cyclic files: the oldest record becomes record 1; returns it for writing.
    std::uint8_t* RotateForNewRecord();

private:
    Kind m_kind;
    std::uint16_t m_nId;
    CSimFile* m_pParent = nullptr;
    std::vector<std::unique_ptr<CSimFile>> m_children;

    std::uint16_t m_nFreeMemory = 0;

    Structure m_structure = Structure::Transparent;
    std::size_t m_nRecordLength = 0;
    std::size_t m_nRecordCount = 0;
    std::size_t m_nCyclicStart = 0;  // physical index of logical record 1

    std::uint8_t m_nReadAccess = Always;
    std::uint8_t m_nUpdateAccess = Never;
    std::uint8_t m_nIncreaseAccess = Never;
    std::uint8_t m_nInvalidateAccess = Adm;
    std::uint8_t m_nRehabilitateAccess = Adm;
    std::uint8_t m_nStatus = StatusValid;

    std::vector<std::uint8_t> m_content;
    std::vector<std::uint8_t> m_headerTemplate;
};
