// SPDX-License-Identifier: GPL-3.0-or-later
// How long the explorer window goes unanswered while it reads the whole default virtual
// card through a real pcscd and the vpcd driver. A 1 ms precise timer probes the event
// loop; the longest gap between its turns is the longest stall, set beside the longest
// single APDU of the same read (the window sends one APDU a turn, so the two should be
// close); 50 ms stays below what a user notices. The read's time is set beside a raw
// SCardTransmit loop of the very same APDUs: each APDU costs one turn of the event loop on
// top, a poll of some 60 us, which the virtual card's 0.1 ms answers make look large and a
// real card's 10 ms and more make vanish. Runs of the two alternate; figures are medians.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <PCSC/pcsclite.h>

#include "BenchFigure.h"
#include "BenchCard.h"
#include "CardReader.h"
#include "ExplorerWindow.h"
#include "PrivatePcscd.h"
#include "RawTransmitLoop.h"
#include "TestEnvironment.h"
#include "TraceModelHost.h"

namespace {

using Clock = std::chrono::steady_clock;

double Millis(Clock::duration elapsed) { return std::chrono::duration<double, std::milli>(elapsed).count(); }

struct CReadRun {
    double m_dMillis = 0;
    double m_dLongestStall = 0;  // ms between two turns of the event loop
    double m_dLongestApdu = 0;   // ms of the slowest exchange
    double m_dStallAt = 0;       // where in the read the longest stall came: 0 first, 1 last
    std::vector<double> m_stalls;
};

class CExplorerRun {
public:
    explicit CExplorerRun(CCardReader& reader)
        : m_window([this, &reader](const std::string& command, std::string& response) {
              const Clock::time_point start = Clock::now();
              const long result = reader.Exchange(command, response);
              m_longestApdu = std::max(m_longestApdu, Clock::now() - start);
              m_commands.push_back(command);
              return result;
          }) {
        m_window.show();
        m_window.ExploreCard();
        if (!m_window.RunCodeCommand("Verify", CCodeCommand::Code::Chv1, "1234", {})) {
            std::fprintf(stderr, "VERIFY CHV1 failed\n");
            std::exit(1);
        }
    }

    CReadRun Read() {
        m_commands.clear();
        m_longestApdu = {};
        CReadRun run;
        QEventLoop loop;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(1);
        Clock::time_point last = Clock::now();
        QObject::connect(&probe, &QTimer::timeout, [&]() {
            const Clock::time_point now = Clock::now();
            run.m_stalls.push_back(Millis(now - last));
            last = now;
            if (!m_window.IsReading()) loop.quit();
        });
        const Clock::time_point start = Clock::now();
        m_window.ReadWholeCard();
        probe.start();
        loop.exec();
        run.m_dMillis = Millis(Clock::now() - start);
        const auto longest = std::max_element(run.m_stalls.begin(), run.m_stalls.end());
        run.m_dLongestStall = *longest;
        run.m_dStallAt = static_cast<double>(longest - run.m_stalls.begin()) /
                         static_cast<double>(std::max<std::size_t>(1, run.m_stalls.size() - 1));
        run.m_dLongestApdu = Millis(m_longestApdu);
        if (!m_window.Dump().m_bComplete || !m_window.StateLabel()->text().startsWith("Card read")) {
            std::fprintf(stderr, "the read did not end cleanly: %s\n", qPrintable(m_window.StateLabel()->text()));
            std::exit(1);
        }
        return run;
    }

    const std::vector<std::string>& Commands() const { return m_commands; }

private:
    std::vector<std::string> m_commands;
    Clock::duration m_longestApdu{};
    CExplorerWindow m_window;
};

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    UseFreshProfile();  // the window's placement is not the user's
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 9;

    CTraceModelHost host;
    CBenchCard card(host);
    CExplorerRun explorer(card.Reader());
    explorer.Read();  // warm-up, and the APDUs the raw loop replays
    const std::vector<std::string> commands = explorer.Commands();
    const std::unique_ptr<CRawTransmitLoop> pRawLoop = card.RawLoop(commands);
    const CRawTransmitLoop& rawLoop = *pRawLoop;
    const int count = static_cast<int>(commands.size());
    rawLoop.Run(count);

    std::vector<double> reads, raws, stalls, apdus, p99s, where;
    for (int round = 0; round < rounds; ++round) {
        const CReadRun run = explorer.Read();
        host.Model().Clear();
        if (explorer.Commands() != commands) {
            std::fprintf(stderr, "the read sent other APDUs in round %d\n", round + 1);
            return 1;
        }
        reads.push_back(run.m_dMillis);
        raws.push_back(rawLoop.Run(count) * 1000);
        stalls.push_back(run.m_dLongestStall);
        apdus.push_back(run.m_dLongestApdu);
        p99s.push_back(Percentile(run.m_stalls, 0.99));
        where.push_back(run.m_dStallAt);
    }
    std::printf("Whole-card read in the explorer window: %d APDUs a read, %d rounds.\n", count, rounds);
    std::printf("read              : %8.2f ms (median)\n", CBenchFigure::Median(reads));
    std::printf("raw loop          : %8.2f ms (median)\n", CBenchFigure::Median(raws));
    std::printf("longest stall     : %8.3f ms (median over rounds of each read's longest gap)\n",
                CBenchFigure::Median(stalls));
    std::printf("    came at       : %8.2f of the read (0 its start, 1 its end)\n", CBenchFigure::Median(where));
    std::printf("99th pct. gap     : %8.3f ms\n", CBenchFigure::Median(p99s));
    std::printf("longest APDU      : %8.3f ms\n", CBenchFigure::Median(apdus));
    CBenchFigure::Print("Explorer whole-card read, longest event-loop stall", "ms", stalls,
                        "longest single APDU of the same read", apdus, "value < 50");
    CBenchFigure::Print("Explorer whole-card read, time", "ms", reads,
                        "raw SCardTransmit of the same APDUs", raws, "ratio <= 1.6");
    return 0;
}
