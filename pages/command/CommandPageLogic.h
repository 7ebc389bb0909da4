// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandFields.h"
#include "CommandIniLocation.h"
#include "CommandText.h"
#include "ExchangeFunction.h"
#include "RecentList.h"

#include <functional>
#include <string>
#include <vector>

// Everything the Command page does that needs no window: the presets and the recent list
// of Command.INI, the fields, and the Send, select and delete operations on them. The
// page copies its controls into Fields() before an operation and back afterwards.
class CCommandPageLogic {
public:
    // A count or capacity read from a hand-edited file is held to this, so that a typo
    // cannot make start-up or exit walk through billions of keys.
    static constexpr unsigned kMaxEntries = 1000;

    explicit CCommandPageLogic(CCommandIniLocation location);

    // Reads the presets (sorted as the combo lists them) and the recent entries.
    void Load();

    const std::vector<CCommandText::CPresetItem>& Presets() const { return m_vPresets; }
    const std::vector<std::string>& RecentEntries() const { return m_recent.Entries(); }
    CCommandFields& Fields() { return m_fields; }
    const CCommandFields& Fields() const { return m_fields; }

    // The first preset from the top whose text begins with strText, or -1; the combo
    // shows it when the CLA+INS field is copied back. An empty text matches nothing.
    int FindPresetFromTop(const std::string& strText) const;
    // The preset that completes a typed text of at least four characters, searching from
    // the second item and wrapping round to the first; -1 when there is none.
    int FindPresetToComplete(const std::string& strTyped) const;

    // Fills CLA+INS, P1, P2, P3 and the mode from a preset; false for a bad index.
    bool SelectPreset(int index);
    // Selects the completing preset of a typed text; returns its index or -1.
    int CompleteTyped(const std::string& strTyped);

    // Pads the header, sends, splits the answer into data and status word, and remembers
    // the command when the exchange succeeded. Returns the exchange's result code.
    long Send(const ExchangeFunction& exchange);

    // Fills all fields from a recent entry; false for a bad index.
    bool SelectRecent(int index);
    // Deletes a recent entry; returns the index to select next, or -1 for none.
    int DeleteRecent(int index);

    // Writes LastCmd1 to LastCmd<capacity> into Command.INI; false when it cannot be saved.
    bool SaveRecent() const;

    const CCommandIniLocation& Location() const { return m_location; }
    // The recent-list capacity as Command.INI holds it now.
    unsigned ReadCapacity() const;

private:
    void AddPresetSorted(CCommandText::CPresetItem item);
    int FindPreset(std::size_t start, const std::string& strPrefix) const;

    CCommandIniLocation m_location;
    std::vector<CCommandText::CPresetItem> m_vPresets;
    CRecentList m_recent;
    CCommandFields m_fields;
};
