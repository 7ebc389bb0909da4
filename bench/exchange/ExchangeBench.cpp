// SPDX-License-Identifier: GPL-3.0-or-later
// Measures what Exchange adds to a raw SCardTransmit, through a real pcscd, the vpcd driver
// and the virtual card: runs of the two loops alternate, since single runs on a shared
// machine drift, and the figures are medians of runs and of pairwise ratios.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QCoreApplication>

#include <PCSC/pcsclite.h>
#include <PCSC/winscard.h>

#include "BenchFigure.h"
#include "CardReader.h"
#include "CardReaderHost.h"
#include "ColorLineModel.h"
#include "HexText.h"
#include "PrivatePcscd.h"
#include "RawTransmitLoop.h"
#include "SimCard.h"
#include "SimProfile.h"
#include "TraceRecord.h"

namespace {

// The APDUs of a loop: select EF ICCID under the MF, read it, select it again, ...
const std::vector<std::string> kCommands = {"A0A40000022FE2", "A0B000000A"};

using Clock = std::chrono::steady_clock;

// The trace as the program keeps it; the event loop flushes it once per turn.
class CTraceHost : public CCardReaderHost {
public:
    void AppendRecord(const std::string& command, const std::string& response) override {
        CTraceRecord::AppendTo(m_model, command, response);
    }
    void ShowCardError() override {}
    CColorLineModel& Model() { return m_model; }

private:
    CColorLineModel m_model;
};

double MicrosPerApdu(Clock::duration elapsed, int count) {
    return std::chrono::duration<double, std::micro>(elapsed).count() / count;
}

double ExchangeRun(CCardReader& reader, CTraceHost& host, int count) {
    std::string response;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        if (reader.Exchange(kCommands[i % kCommands.size()], response) != SCARD_S_SUCCESS) {
            std::fprintf(stderr, "exchange failed\n");
            std::exit(1);
        }
        if (i % 64 == 63) QCoreApplication::processEvents();  // as the event loop would
    }
    QCoreApplication::processEvents();
    const double micros = MicrosPerApdu(Clock::now() - start, count);
    host.Model().Clear();
    return micros;
}

// The virtual card's own share of an APDU, without any transport.
double CardProcessingNanos(int count) {
    CSimProfile profile;
    std::string error;
    if (!profile.Load(CPrivatePcscd::DefaultProfilePath(), error)) {
        std::fprintf(stderr, "profile: %s\n", error.c_str());
        std::exit(1);
    }
    CSimCard card(std::move(profile));
    card.Reset();
    std::vector<std::vector<std::uint8_t>> commands;
    for (const std::string& text : kCommands) {
        commands.emplace_back(text.size() / 2);
        HexToBytes(text, commands.back().data());
    }
    std::size_t answered = 0;
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const std::vector<std::uint8_t>& command = commands[i % commands.size()];
        answered += card.Process(command.data(), command.size()).size();
    }
    const double nanos = std::chrono::duration<double, std::nano>(Clock::now() - start).count() / count;
    if (answered == 0) std::exit(1);  // keeps the loop from being optimised away
    return nanos;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = 10;
    const int perRun = argc > 1 ? std::max(10, std::atoi(argv[1])) : 600;

    CPrivatePcscd pcscd;
    std::string error;
    if (!pcscd.Start(&error)) {
        std::fprintf(stderr, "could not start the virtual card: %s\n", error.c_str());
        return 1;
    }

    const CRawTransmitLoop rawLoop(pcscd.ReaderName(), kCommands);
    if (!rawLoop.IsConnected()) {
        std::fprintf(stderr, "raw connect failed\n");
        return 1;
    }
    CTraceHost host;
    CCardReader reader;
    reader.SetMainWindow(&host);
    reader.SetReaderName(pcscd.ReaderName());
    if (reader.Connect() != SCARD_S_SUCCESS) {
        std::fprintf(stderr, "connect failed\n");
        return 1;
    }

    rawLoop.Run(perRun / 4);  // warm-up of both paths
    ExchangeRun(reader, host, perRun / 4);
    std::vector<double> raw, exchange, ratios;
    for (int round = 0; round < rounds; ++round) {
        raw.push_back(rawLoop.Run(perRun) * 1e6 / perRun);
        exchange.push_back(ExchangeRun(reader, host, perRun));
        ratios.push_back(exchange.back() / raw.back());
    }
    std::printf("APDUs per loop: %d (%d runs of %d, alternating)\n", rounds * perRun, rounds,
                perRun);
    std::printf("raw SCardTransmit       : %8.1f us/APDU (median)\n", CBenchFigure::Median(raw));
    std::printf("Exchange + trace record : %8.1f us/APDU (median)\n",
                CBenchFigure::Median(exchange));
    std::printf("Exchange / raw          : %8.3f (median of pairwise ratios; target <= 1.05)\n",
                CBenchFigure::Median(ratios));
    CBenchFigure::Print("Exchange + trace record, per APDU", "us", exchange, "raw SCardTransmit",
                        raw, "ratio <= 1.05");

    const double cardNanos = CardProcessingNanos(1000000);
    std::printf("virtual card processing : %8.3f us/APDU (%.4f of the raw loop)\n",
                cardNanos / 1000, cardNanos / 1000 / CBenchFigure::Median(raw));

    return 0;
}
