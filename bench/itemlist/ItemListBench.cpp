// SPDX-License-Identifier: GPL-3.0-or-later
// The script list at 100,000 rows: open (read the script file and fill the list),
// renumber, delete and insert a row. Each operation runs on the list as the Script page
// shows it (CDragListCtrl on screen, offscreen platform) and on two baselines in the
// same run: a QStandardItemModel under a plain QTreeView (one item per cell, the usual
// Qt way) and a std::vector of five strings per row (the floor: no model, no view).
// Every figure is the median of several runs, the three stores taking turns; the event
// loop runs after each operation so the view's own work counts.
// Usage: itemlist_bench [--rows N]

#include "BenchFigure.h"
#include "DragListCtrl.h"
#include "ItemListModel.h"
#include "ScriptFile.h"
#include "ScriptRowVector.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using PlainRow = std::array<std::string, 5>;
constexpr const char* kColumns = "Item,40;BreakPoint,75;Command,150;StatusWord,75;DataOut,140";
constexpr int kRuns = 5;

std::string Command(int row) {
    char text[32];
    std::snprintf(text, sizeof text, "A0B2%02X0416", row % 256);
    return text;
}

std::string Number(int row, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*d", digits, row + 1);
    return text;
}

struct SOperation {
    std::function<void()> setUp;
    std::function<void()> run;
};

double Millis(const SOperation& operation) {
    operation.setUp();
    QApplication::processEvents();
    const auto start = Clock::now();
    operation.run();
    QApplication::processEvents();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The three stores take turns, kRuns rounds, so that drift on a shared machine touches
// them alike.
void Compare(const std::string& what, const SOperation& list, const SOperation& standard,
             const SOperation& plain) {
    std::vector<double> listMillis, standardMillis, plainMillis;
    for (int run = 0; run < kRuns; ++run) {
        listMillis.push_back(Millis(list));
        standardMillis.push_back(Millis(standard));
        plainMillis.push_back(Millis(plain));
    }
    const double listMedian = CBenchFigure::Median(listMillis);
    const double standardMedian = CBenchFigure::Median(standardMillis);
    const double plainMedian = CBenchFigure::Median(plainMillis);
    std::printf(
        "%-36s list %9.2f ms | QStandardItemModel %9.2f ms (list/std %5.2f) | "
        "vector %7.2f ms (list/vector %7.1f)\n",
        what.c_str(), listMedian, standardMedian, listMedian / standardMedian, plainMedian,
        listMedian / plainMedian);
    CBenchFigure::Print(what.c_str(), "ms", listMillis, "QStandardItemModel + QTreeView",
                        standardMillis, "");
}

class CBench {
public:
    explicit CBench(int rows) : m_nRows(rows) {
        std::vector<std::string> commands;
        for (int row = 0; row < m_nRows; ++row) commands.push_back(Command(row));
        m_scriptPath = m_dir.filePath("bench.scp");
        if (!CScriptFile::WriteScript(m_scriptPath, CScriptRowVector(commands), nullptr))
            std::printf("could not write %s\n", qPrintable(m_scriptPath));
        m_list.SetColumns(kColumns);
        m_list.resize(600, 400);
        m_list.show();
        m_standard.setColumnCount(5);
        m_standardView.setModel(&m_standard);
        m_standardView.setUniformRowHeights(true);
        m_standardView.resize(600, 400);
        m_standardView.show();
    }

    void Run() {
        const std::string script = std::to_string(m_nRows) + "-row script: ";
        const auto clear = [this] { ClearAll(); };
        const auto none = [] {};
        Compare(script + "open", {clear, [this] { FillList(ReadScript()); }},
                {clear, [this] { FillStandard(ReadScript()); }},
                {clear, [this] { FillPlain(ReadScript()); }});
        FillAll();
        Compare(script + "renumber", {none, [this] { RenumberList(); }},
                {none, [this] { RenumberStandard(); }}, {none, [this] { RenumberPlain(); }});
        Compare(script + "delete middle row",
                {none, [this] { m_list.Model()->DeleteRow(Middle()); }},
                {none, [this] { m_standard.removeRow(Middle()); }},
                {none, [this] { m_plain.erase(m_plain.begin() + Middle()); }});
        Compare(script + "insert middle row",
                {none, [this] { m_list.Model()->InsertRow(Middle()); }},
                {none, [this] { m_standard.insertRow(Middle()); }},
                {none, [this] { m_plain.insert(m_plain.begin() + Middle(), PlainRow()); }});
    }

private:
    int Middle() const { return m_nRows / 2; }
    int Digits() const { return static_cast<int>(std::to_string(m_nRows).size()); }

    void ClearAll() {
        m_list.Model()->DeleteAllRows();
        m_standard.removeRows(0, m_standard.rowCount());
        std::vector<PlainRow>().swap(m_plain);
    }
    void FillAll() {
        ClearAll();
        FillList(ReadScript());
        FillStandard(ReadScript());
        FillPlain(ReadScript());
    }

    std::vector<std::string> ReadScript() const {
        std::vector<std::string> lines;
        if (!CScriptFile::Read(m_scriptPath, lines, nullptr))
            std::printf("could not read %s\n", qPrintable(m_scriptPath));
        return lines;
    }

    // As Open does: every line read first, then the rows in one go, then the numbers.
    void FillList(std::vector<std::string> lines) {
        std::vector<CItemListModel::Row> rows(lines.size());
        for (std::size_t row = 0; row < lines.size(); ++row)
            rows[row] = {"", "", std::move(lines[row])};
        CItemListModel& model = *m_list.Model();
        model.InsertRowsTexts(0, std::move(rows));
        model.SetNumberFormat(m_nRows);
        model.RenumberAll();
    }
    void FillStandard(const std::vector<std::string>& lines) {
        const int count = static_cast<int>(lines.size());
        m_standard.insertRows(0, count);
        for (int row = 0; row < count; ++row) {
            m_standard.setItem(row, 0,
                               new QStandardItem(QString::fromLatin1(Number(row, Digits()))));
            m_standard.setItem(row, 2, new QStandardItem(QString::fromLatin1(lines[row])));
        }
    }
    void FillPlain(std::vector<std::string> lines) {
        m_plain.resize(lines.size());
        for (std::size_t row = 0; row < lines.size(); ++row)
            m_plain[row] = {Number(static_cast<int>(row), Digits()), "", std::move(lines[row])};
    }

    void RenumberList() { m_list.Model()->RenumberAll(); }
    void RenumberStandard() {
        for (int row = 0; row < m_standard.rowCount(); ++row)
            m_standard.item(row, 0)->setText(QString::fromLatin1(Number(row, Digits())));
    }
    void RenumberPlain() {
        for (int row = 0; row < static_cast<int>(m_plain.size()); ++row)
            m_plain[row][0] = Number(row, Digits());
    }

    int m_nRows;
    QTemporaryDir m_dir;
    QString m_scriptPath;
    CDragListCtrl m_list;
    QStandardItemModel m_standard;
    QTreeView m_standardView;
    std::vector<PlainRow> m_plain;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rows = 100000;
    for (int n = 1; n + 1 < argc; ++n)
        if (std::strcmp(argv[n], "--rows") == 0) rows = std::max(1, std::atoi(argv[n + 1]));
#ifdef NDEBUG
    std::printf("itemlist_bench: %d rows, optimised build, median of %d runs\n", rows, kRuns);
#else
    std::printf("itemlist_bench: %d rows, DEBUG build (figures pessimistic), median of %d runs\n",
                rows, kRuns);
#endif
    CBench(rows).Run();
    return 0;
}
