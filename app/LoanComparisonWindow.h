#pragma once

#include "engine/LoanComparison.h"

#include <QList>
#include <QWidget>

#include <memory>
#include <vector>

class QSplitter;
class QTableView;

namespace engine {
class NumberFormat;
}
namespace views {
class LoanComparisonModel;
class SummaryChart;
} // namespace views

namespace app {

class frmChild;

// "Loan Comparison": 2 to 4 open documents side by side, a table of their figures above a chart of their balances. It
// follows its documents: a document computed again is read again, a document closed loses its column, and below two
// loans the window closes.
class LoanComparisonWindow : public QWidget
{
    Q_OBJECT

public:
    // The first document is the one the others are measured against. Texts follow `format`, which may change.
    LoanComparisonWindow(const QList<frmChild *> &documents, const engine::NumberFormat &format,
                         QWidget *parent = nullptr);
    ~LoanComparisonWindow() override;

    QList<frmChild *> documents() const;
    const engine::LoanComparison &comparison() const;
    // The table as tab-separated text, a line per row (Edit > Copy).
    QString tableText() const;

    // The whole table with room for the chart below it.
    QSize sizeHint() const override;

    QTableView *table() const { return m_table; }
    views::LoanComparisonModel *model() const { return m_model; }
    views::SummaryChart &chart() const { return *m_chart; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Entry
    {
        QObject *key = nullptr; // the document window, known by its address even while it is being destroyed
        frmChild *document = nullptr;
        engine::ComparedLoan loan;
    };

    void documentShown(QObject *document);
    void documentGone(QObject *document);
    void rebuild();
    void fitTable();

    const engine::NumberFormat &m_format;
    std::vector<Entry> m_entries;
    QSplitter *m_splitter = nullptr;
    QTableView *m_table = nullptr;
    QSize m_tableSize;
    views::LoanComparisonModel *m_model = nullptr;
    std::unique_ptr<views::SummaryChart> m_chart;
};

} // namespace app
