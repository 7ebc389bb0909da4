// SPDX-License-Identifier: GPL-3.0-or-later
// The trace list at a million lines. Prints, each beside a baseline measured in the
// same run:
//   - append: time per line through the trace record, flushed every 1000 lines as the
//     event loop would, against plain byte-arena appends with an offset vector;
//   - memory: resident bytes per line beyond the text, against the same plain arena
//     and against one QString per line in a QStringListModel;
//   - scroll: time per scroll step with a repaint over the million lines, against a
//     QListView over a QStringListModel holding the same lines;
//   - append while shown: one turn of 1000 new lines with the list on screen;
//   - save: every line to a file, against one stdio write of the same bytes.
// Usage: trace_bench [--lines N] [--shot file.png]

#include "BenchFigure.h"
#include "ColorLineModel.h"
#include "ColorListBox.h"
#include "TraceRecord.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QScrollBar>
#include <QStringListModel>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct SExchange {
    std::string command;
    std::string response;
    int lines = 0;  // lines of its trace record
};

// Resident set size in bytes, from /proc/self/status.
long long ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long long kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string HexRun(std::size_t digits, unsigned seed) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t n = 0; n < digits; ++n) text += kDigits[(seed * 7 + n * 13) % 16];
    return text;
}

// A mix of what a SIM session sends: selections, GET RESPONSE, reads and updates.
std::vector<SExchange> TypicalExchanges() {
    std::vector<SExchange> exchanges;
    const char* kFiles[] = {"3F00", "7F20", "6F07", "7F10", "6F3A", "6F40", "2FE2", "6F46"};
    for (unsigned n = 0; n < 64; ++n) {
        SExchange exchange;
        switch (n % 4) {
            case 0:
                exchange = {std::string("A0A4000002") + kFiles[n % 8], "9F16"};
                break;
            case 1:
                exchange = {"A0C0000016", HexRun(44, n) + "9000"};
                break;
            case 2:
                exchange = {"A0B2010420", HexRun(64, n) + "9000"};
                break;
            default:
                exchange = {"A0D600000A" + HexRun(20, n), "9000"};
                break;
        }
        CTraceRecord::ForEachLine(
            exchange.command, exchange.response,
            [&exchange](std::string_view, std::string_view, std::uint32_t) { ++exchange.lines; });
        exchanges.push_back(exchange);
    }
    return exchanges;
}

struct SAppendResult {
    double secondsPerLine = 0;
    double overheadBytesPerLine = 0;
    long long lines = 0;
    long long textBytes = 0;
};

void Finish(SAppendResult& result, Clock::time_point start, long long rssBefore) {
    result.secondsPerLine = SecondsSince(start) / double(result.lines);
    result.overheadBytesPerLine =
        double(ResidentBytes() - rssBefore - result.textBytes) / double(result.lines);
}

// The least any store could do: the same bytes back to back and one offset per line.
SAppendResult AppendToPlainArena(const std::vector<SExchange>& exchanges, long long lines,
                                 std::string& arena, std::vector<std::uint64_t>& ends) {
    SAppendResult result;
    const long long rssBefore = ResidentBytes();
    const auto start = Clock::now();
    for (std::size_t n = 0; result.lines < lines; ++n) {
        const SExchange& exchange = exchanges[n % exchanges.size()];
        CTraceRecord::ForEachLine(
            exchange.command, exchange.response,
            [&arena, &ends](std::string_view prefix, std::string_view body, std::uint32_t) {
                arena.append(prefix);
                arena.append(body);
                ends.push_back(arena.size());
            });
        result.lines += exchange.lines;
    }
    result.textBytes = static_cast<long long>(arena.size());
    Finish(result, start, rssBefore);
    return result;
}

// Through the model, announcing the lines every 1000 as the event loop's turns would.
SAppendResult AppendToModel(const std::vector<SExchange>& exchanges, long long lines,
                            CColorLineModel& model) {
    SAppendResult result;
    const long long rssBefore = ResidentBytes();
    const auto start = Clock::now();
    long long nextFlush = 1000;
    for (std::size_t n = 0; result.lines < lines; ++n) {
        const SExchange& exchange = exchanges[n % exchanges.size()];
        CTraceRecord::AppendTo(model, exchange.command, exchange.response);
        result.lines += exchange.lines;
        if (result.lines >= nextFlush) {
            model.Flush();
            nextFlush += 1000;
        }
    }
    model.Flush();
    for (int line = 0; line < model.rowCount(); ++line)
        result.textBytes += model.LineText(line).size();
    // The text tally above is not part of the timing.
    Finish(result, start, rssBefore);
    return result;
}

// One QString per line: what a store built on a string list would hold.
SAppendResult FillStringList(const CColorLineModel& source, QStringListModel& model) {
    SAppendResult result;
    const long long rssBefore = ResidentBytes();
    const auto start = Clock::now();
    QStringList strings;
    const int count = const_cast<CColorLineModel&>(source).rowCount();
    strings.reserve(count);
    for (int line = 0; line < count; ++line) {
        const QByteArray text = source.LineText(line);
        strings.append(QString::fromLatin1(text));
        result.textBytes += text.size();
    }
    model.setStringList(strings);
    result.lines = count;
    Finish(result, start, rssBefore);
    return result;
}

double ShowAndLayout(QListView& view) {
    const auto start = Clock::now();
    view.resize(800, 600);
    view.show();
    view.doItemsLayout();
    QCoreApplication::processEvents();
    return SecondsSince(start);
}

// Jumps through the whole list in equal steps, repainting the visible rows each time.
double SecondsPerScrollStep(QListView& view, int steps) {
    QScrollBar* pBar = view.verticalScrollBar();
    const auto start = Clock::now();
    for (int step = 1; step <= steps; ++step) {
        pBar->setValue(static_cast<int>(static_cast<long long>(pBar->maximum()) * step / steps));
        view.viewport()->repaint();
    }
    return SecondsSince(start) / steps;
}

// Turns of 1000 new lines each with the list on screen: the view's relayout per turn.
double SecondsPerShownTurn(CColorListBox& list, const std::vector<SExchange>& exchanges,
                           int turns) {
    const auto start = Clock::now();
    std::size_t n = 0;
    for (int turn = 0; turn < turns; ++turn) {
        for (int lines = 0; lines < 1000; ++n) {
            const SExchange& exchange = exchanges[n % exchanges.size()];
            CTraceRecord::AppendTo(*list.Model(), exchange.command, exchange.response);
            lines += exchange.lines;
        }
        QCoreApplication::processEvents();
        list.viewport()->repaint();
    }
    return SecondsSince(start) / turns;
}

double SecondsPerShownTurn(QListView& view, QStringListModel& model, int turns) {
    const auto start = Clock::now();
    for (int turn = 0; turn < turns; ++turn) {
        const int first = model.rowCount();
        model.insertRows(first, 1000);
        for (int line = 0; line < 1000; ++line)
            model.setData(model.index(first + line), QStringLiteral("SW=9000"));
        QCoreApplication::processEvents();
        view.viewport()->repaint();
    }
    return SecondsSince(start) / turns;
}

// Saving: the model's SaveTo against writing the same bytes in one go with stdio.
double SecondsToSave(const CColorLineModel& model, const QString& path) {
    const auto start = Clock::now();
    QString error;
    if (!model.SaveTo(path, &error)) std::printf("save failed: %s\n", qPrintable(error));
    return SecondsSince(start);
}

double SecondsToWritePlain(const CColorLineModel& model, const QString& path) {
    const auto start = Clock::now();
    std::string bytes;
    for (int line = 0; line < const_cast<CColorLineModel&>(model).rowCount(); ++line) {
        const QByteArray text = model.LineText(line);
        bytes.append(text.constData(), static_cast<std::size_t>(text.size()));
        bytes.append("\r\n");
    }
    if (FILE* pFile = std::fopen(QFile::encodeName(path).constData(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), pFile);
        std::fclose(pFile);
    }
    return SecondsSince(start);
}

// How a figure goes into scripts/bench.sh's table; one without a baseline name stays out.
struct SFigure {
    std::string strPrefix;
    const char* pszBaseline = nullptr;
    const char* pszTarget = "";
};

void PrintRatio(const char* what, double value, double baseline, const char* unit, double scale,
                const SFigure& figure = {}) {
    const double ratio = baseline != 0 ? value / baseline : 0.0;
    std::printf("%-44s %10.3f %-5s baseline %10.3f %-5s ratio %6.2f\n", what, value * scale, unit,
                baseline * scale, unit, ratio);
    if (figure.pszBaseline != nullptr)
        // One run per process: bench.sh starts it again for the medians.
        CBenchFigure::Print((figure.strPrefix + what).c_str(), unit, {value * scale},
                            figure.pszBaseline, {baseline * scale}, figure.pszTarget);
}

struct SOptions {
    long long lines = 1000000;
    QString shotPath;
};

SOptions ParseOptions(const QStringList& arguments) {
    SOptions options;
    for (int n = 1; n + 1 < arguments.size(); ++n) {
        if (arguments[n] == "--lines") options.lines = arguments[n + 1].toLongLong();
        if (arguments[n] == "--shot") options.shotPath = arguments[n + 1];
    }
    return options;
}

constexpr const char* kPlainArena = "plain byte arena + line offsets";

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const SOptions options = ParseOptions(app.arguments());
    const std::vector<SExchange> exchanges = TypicalExchanges();
#if defined(NDEBUG)
    std::printf("trace list benchmark, %lld lines, optimised build\n", options.lines);
#else
    std::printf(
        "trace list benchmark, %lld lines, DEBUG build of the library: figures are pessimistic\n",
        options.lines);
#endif

    SAppendResult plain;
    {
        std::string arena;
        std::vector<std::uint64_t> ends;
        plain = AppendToPlainArena(exchanges, options.lines, arena, ends);
    }
    CColorListBox list;
    const SAppendResult stored = AppendToModel(exchanges, options.lines, *list.Model());
    const std::string figure = "trace of " + std::to_string(options.lines) + " lines: ";
    std::printf("lines %lld, text bytes %lld (%.1f per line)\n", stored.lines, stored.textBytes,
                double(stored.textBytes) / double(stored.lines));
    PrintRatio("append, time per line", stored.secondsPerLine, plain.secondsPerLine, "us", 1e6,
               {figure, kPlainArena, "value < 2"});
    PrintRatio("append, memory per line beyond text", stored.overheadBytesPerLine,
               plain.overheadBytesPerLine, "B", 1, {figure, kPlainArena, "value < 100"});

    QStringListModel stringModel;
    const SAppendResult strings = FillStringList(*list.Model(), stringModel);
    PrintRatio("memory per line beyond text vs QString list", stored.overheadBytesPerLine,
               strings.overheadBytesPerLine, "B", 1);

    QListView stringView;
    stringView.setUniformItemSizes(true);
    stringView.setModel(&stringModel);
    const double listLayout = ShowAndLayout(list);
    const double stringLayout = ShowAndLayout(stringView);
    PrintRatio("first layout when shown", listLayout, stringLayout, "ms", 1e3);
    const int kSteps = 1000;
    // Without delay: each step painted within one frame of a 60 Hz screen.
    PrintRatio("scroll step with repaint", SecondsPerScrollStep(list, kSteps),
               SecondsPerScrollStep(stringView, kSteps), "ms", 1e3,
               {figure, "QListView on a QStringListModel", "value < 16.7"});
    const int kTurns = 20;
    PrintRatio("turn of 1000 new lines while shown", SecondsPerShownTurn(list, exchanges, kTurns),
               SecondsPerShownTurn(stringView, stringModel, kTurns), "ms", 1e3);

    const QString savePath = QDir::temp().filePath("corvanta-trace-bench.log");
    PrintRatio("save all lines", SecondsToSave(*list.Model(), savePath),
               SecondsToWritePlain(*list.Model(), savePath), "ms", 1e3);
    QFile::remove(savePath);

    if (!options.shotPath.isEmpty()) {
        list.resize(640, 240);
        list.verticalScrollBar()->setValue(0);
        list.setCurrentIndex(list.model()->index(2, 0));
        QCoreApplication::processEvents();
        list.grab().save(options.shotPath);
    }
    return 0;
}
