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
#include "BenchCard.h"
#include "CardReader.h"
#include "DefaultCard.h"
#include "HexText.h"
#include "PrivatePcscd.h"
#include "RawTransmitLoop.h"
#include "TraceModelHost.h"

namespace {

// The APDUs of a loop: select EF ICCID under the MF, read it, select it again, ...
const std::vector<std::string> kCommands = {"A0A40000022FE2", "A0B000000A"};

using Clock = std::chrono::steady_clock;

double MicrosPerApdu(Clock::duration elapsed, int count) {
    return std::chrono::duration<double, std::micro>(elapsed).count() / count;
}

double ExchangeRun(CCardReader& reader, CTraceModelHost& host, int count) {
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
    CSimCard card = LoadDefaultCard();
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

    CTraceModelHost host;
    CBenchCard card(host);
    CCardReader& reader = card.Reader();
    const std::unique_ptr<CRawTransmitLoop> pRawLoop = card.RawLoop(kCommands);
    const CRawTransmitLoop& rawLoop = *pRawLoop;

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
