// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CardReaderHost.h"
#include "ColorLineModel.h"

// The trace as the program keeps it: each exchange's lines in a colour-line model, which
// the event loop flushes once per turn.
class CTraceModelHost : public CCardReaderHost {
public:
    void AppendRecord(const std::string& command, const std::string& response) override;
    void ShowCardError() override {}
    CColorLineModel& Model() { return m_model; }

private:
    CColorLineModel m_model;
};
