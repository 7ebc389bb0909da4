// SPDX-License-Identifier: GPL-3.0-or-later
// A whole dump of the default virtual card through a real pcscd and the vpcd driver: its
// APDUs against the least a complete read needs, and its time against a raw SCardTransmit
// loop sending the very same APDUs. Runs of the two alternate, since single runs on a
// shared machine drift; the figures are medians.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QCoreApplication>

#include <PCSC/pcsclite.h>

#include "BenchFigure.h"
#include "BenchCard.h"
#include "CardReader.h"
#include "CardReaderHost.h"
#include "CardWalker.h"
#include "DefaultCard.h"
#include "DumpCatalogue.h"
#include "HexText.h"
#include "PrivatePcscd.h"
#include "RawTransmitLoop.h"

namespace {

using Clock = std::chrono::steady_clock;

// The trace as corvanta-card dump --trace keeps it: every record's lines.
class CTraceHost : public CCardReaderHost {
public:
    void AppendRecord(const std::string& command, const std::string& response) override {
        m_nBytes += command.size() + response.size();
    }
    void ShowCardError() override {}
    std::size_t m_nBytes = 0;
};

struct CWalkRun {
    double m_dSeconds = 0;
    std::vector<std::string> m_commands;
    std::size_t m_nLeast = 0;
    std::size_t m_nFiles = 0;
};

CWalkRun Walk(CCardReader& reader) {
    CWalkRun run;
    CCardWalker walker(CDumpCatalogue::Targets(), [&](const std::string& command, std::string& response) {
        run.m_commands.push_back(command);
        return static_cast<long>(reader.Exchange(command, response));
    });
    walker.SetCodeSource([](const std::string& code, int) {
        return code == "CHV1" ? std::string("1234") : code == "CHV2" ? "5678" : "0A0A0A0A0A0A0A0A";
    });
    const Clock::time_point start = Clock::now();
    while (walker.Step()) {
    }
    run.m_dSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!walker.Dump().m_bComplete || !walker.Dump().m_notes.empty()) {
        std::fprintf(stderr, "the dump did not read the card cleanly:\n");
        for (const std::string& note : walker.Dump().m_notes) std::fprintf(stderr, "  %s\n", note.c_str());
        std::exit(1);
    }
    run.m_nLeast = walker.Dump().LeastApdus();
    run.m_nFiles = walker.Dump().m_files.size();
    return run;
}

// The walker's own share of a dump: the whole walk against the virtual card in this
// process, without any transport, in milliseconds.
double InProcessWalkMillis(int count) {
    CSimCard card = LoadDefaultCard();
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        card.Reset();
        CCardWalker walker(CDumpCatalogue::Targets(), [&card](const std::string& command, std::string& response) {
            std::vector<unsigned char> apdu((command.size() + 1) / 2);
            HexToBytes(command, apdu.data());
            const std::vector<std::uint8_t>& answer = card.Process(apdu.data(), command.size() / 2);
            response = BytesToHex(answer.data(), answer.size());
            return 0L;
        });
        walker.SetCodeSource([](const std::string&, int) { return std::string("1234"); });
        while (walker.Step()) {
        }
        if (walker.Dump().m_files.empty()) std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / count;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 9;

    CTraceHost host;
    CBenchCard card(host);
    CCardReader& reader = card.Reader();
    const CWalkRun first = Walk(reader);  // warm-up, and the APDUs the raw loop replays
    const std::unique_ptr<CRawTransmitLoop> pRawLoop = card.RawLoop(first.m_commands);
    const CRawTransmitLoop& rawLoop = *pRawLoop;
    const int count = static_cast<int>(first.m_commands.size());
    rawLoop.Run(count);

    std::vector<double> walks, raws, ratios;
    for (int round = 0; round < rounds; ++round) {
        const CWalkRun run = Walk(reader);
        if (run.m_commands != first.m_commands) {
            std::fprintf(stderr, "the dump sent other APDUs in round %d\n", round + 1);
            return 1;
        }
        walks.push_back(run.m_dSeconds * 1000);
        raws.push_back(rawLoop.Run(count) * 1000);
        ratios.push_back(walks.back() / raws.back());
    }
    std::printf("Whole dump of the default card: %zu files, %d APDUs; the least a complete read\n"
                "needs is %zu (a SELECT and a GET RESPONSE per file, a READ per record or per 256\n"
                "bytes, the VERIFYs): %.3f of it. Peers measured on the same card: 404 and 122.\n",
                first.m_nFiles, count, first.m_nLeast, static_cast<double>(count) / first.m_nLeast);
    std::printf("dump        : %8.2f ms (median of %d)\n", CBenchFigure::Median(walks), rounds);
    std::printf("raw loop    : %8.2f ms (median of %d)\n", CBenchFigure::Median(raws), rounds);
    std::printf("dump / raw  : %8.3f (median of pairwise ratios; target <= 1.1)\n",
                CBenchFigure::Median(ratios));
    std::printf("walk in-process: %8.3f ms per dump (the walker and the virtual card, no transport)\n",
                InProcessWalkMillis(200));
    CBenchFigure::Print("Whole dump of the default card, APDUs", "APDUs",
                        std::vector<double>(rounds, count), "least a complete read needs",
                        std::vector<double>(rounds, static_cast<double>(first.m_nLeast)), "ratio <= 1.2");
    CBenchFigure::Print("Whole dump of the default card, time", "ms", walks,
                        "raw SCardTransmit of the same APDUs", raws, "ratio <= 1.1");
    return 0;
}
