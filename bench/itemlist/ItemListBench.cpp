// The script list at 100,000 rows. Each operation runs on the list as the Script page
// shows it (CDragListCtrl on screen, offscreen platform) and on two baselines in the
// same run: a QStandardItemModel under a plain QTreeView (one item per cell, the usual
// Qt way) and a std::vector of five strings per row (the floor: no model, no view).
// Every figure is the median of several runs; the event loop runs after each operation
// so the view's own work counts.
// Usage: itemlist_bench [--rows N]

#include "DragListCtrl.h"
#include "ItemListModel.h"

#include <QApplication>
#include <QStandardItemModel>
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

// Median seconds of kRuns runs of the operation, each after its own set-up.
double Median(const std::function<void()>& setUp, const std::function<void()>& operation) {
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run) {
        setUp();
        QApplication::processEvents();
        const auto start = Clock::now();
        operation();
        QApplication::processEvents();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[kRuns / 2];
}

void Report(const char* pszWhat, double list, double standard, double plain) {
    std::printf(
        "%-22s list %9.2f ms | QStandardItemModel %9.2f ms (list/std %5.2f) | "
        "vector %7.2f ms (list/vector %7.1f)\n",
        pszWhat, list * 1e3, standard * 1e3, list / standard, plain * 1e3, list / plain);
}

class CBench {
public:
    explicit CBench(int rows) : m_nRows(rows) {
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
        Report("fill", Median([this] { ClearAll(); }, [this] { FillList(); }),
               Median([this] { ClearAll(); }, [this] { FillStandard(); }),
               Median([this] { ClearAll(); }, [this] { FillPlain(); }));
        FillAll();
        Report("renumber", Median([] {}, [this] { RenumberList(); }),
               Median([] {}, [this] { RenumberStandard(); }),
               Median([] {}, [this] { RenumberPlain(); }));
        Report("delete middle row", Median([] {}, [this] { m_list.Model()->DeleteRow(Middle()); }),
               Median([] {}, [this] { m_standard.removeRow(Middle()); }),
               Median([] {}, [this] { m_plain.erase(m_plain.begin() + Middle()); }));
        Report("insert middle row", Median([] {}, [this] { m_list.Model()->InsertRow(Middle()); }),
               Median([] {}, [this] { m_standard.insertRow(Middle()); }),
               Median([] {}, [this] { m_plain.insert(m_plain.begin() + Middle(), PlainRow()); }));
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
        FillList();
        FillStandard();
        FillPlain();
    }

    // As Open does: every line read first, then the rows in one go, then the numbers.
    void FillList() {
        std::vector<CItemListModel::Row> rows(static_cast<std::size_t>(m_nRows));
        for (int row = 0; row < m_nRows; ++row) rows[row] = {"", "", Command(row)};
        CItemListModel& model = *m_list.Model();
        model.InsertRowsTexts(0, std::move(rows));
        model.SetNumberFormat(m_nRows);
        model.RenumberAll();
    }
    void FillStandard() {
        m_standard.insertRows(0, m_nRows);
        for (int row = 0; row < m_nRows; ++row) {
            m_standard.setItem(row, 0,
                               new QStandardItem(QString::fromLatin1(Number(row, Digits()))));
            m_standard.setItem(row, 2, new QStandardItem(QString::fromLatin1(Command(row))));
        }
    }
    void FillPlain() {
        m_plain.resize(static_cast<std::size_t>(m_nRows));
        for (int row = 0; row < m_nRows; ++row)
            m_plain[row] = {Number(row, Digits()), "", Command(row)};
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
