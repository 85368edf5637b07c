#include "LoanComparisonWindow.h"

#include "ComparisonPrinting.h"
#include "frmChild.h"

#include "views/LoanComparisonModel.h"
#include "views/SummaryChart.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

LoanComparisonWindow::LoanComparisonWindow(const QList<frmChild *> &documents, const engine::NumberFormat &format,
                                           QWidget *parent)
    : QWidget(parent)
    , m_format(format)
{
    setWindowTitle(QStringLiteral("Loan Comparison"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_model = new views::LoanComparisonModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("gridComparison"));
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setWordWrap(false);
    // Long titles wrap in the heading rather than widening their columns past the screen.
    m_table->horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_table);
    m_chart = views::createSummaryChart(font(), m_splitter);
    m_chart->setHorizontalAxis(views::SummaryChart::HorizontalAxis::Dates);
    m_chart->widget()->setMinimumHeight(220);
    m_splitter->addWidget(m_chart->widget());
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    for (frmChild *document : documents) {
        m_entries.push_back({document, document, engine::comparedLoan(document->loan())});
        connect(document, &frmChild::scheduleShown, this, [this, document] { documentShown(document); });
        connect(document, &QObject::destroyed, this, &LoanComparisonWindow::documentGone);
    }
    rebuild();
}

LoanComparisonWindow::~LoanComparisonWindow() = default;

QList<frmChild *> LoanComparisonWindow::documents() const
{
    QList<frmChild *> out;
    for (const Entry &entry : m_entries)
        out << entry.document;
    return out;
}

const engine::LoanComparison &LoanComparisonWindow::comparison() const
{
    return m_model->comparison();
}

QString LoanComparisonWindow::tableText() const
{
    return m_model->tabSeparatedText();
}

void LoanComparisonWindow::documentShown(QObject *document)
{
    for (Entry &entry : m_entries) {
        if (entry.key == document)
            entry.loan = engine::comparedLoan(entry.document->loan());
    }
    rebuild();
}

void LoanComparisonWindow::documentGone(QObject *document)
{
    std::erase_if(m_entries, [document](const Entry &entry) { return entry.key == document; });
    if (engine::canCompare(m_entries.size())) {
        rebuild();
        return;
    }
    // One loan is no comparison.
    if (QWidget *frame = parentWidget())
        frame->close();
    else
        close();
}

void LoanComparisonWindow::closeEvent(QCloseEvent *event)
{
    // Closed, it waits to be deleted: nothing it follows may reach it meanwhile.
    for (const Entry &entry : m_entries)
        disconnect(entry.document, nullptr, this, nullptr);
    m_entries.clear();
    QWidget::closeEvent(event);
}

void LoanComparisonWindow::rebuild()
{
    std::vector<engine::ComparedLoan> loans;
    loans.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        loans.push_back(entry.loan);
    m_model->setComparison(engine::compareLoans(std::move(loans)), m_format);
    fitTable();
    m_chart->setFormat(m_format);
    m_chart->setSeries(balanceSeries(m_model->comparison()));
}

void LoanComparisonWindow::fitTable()
{
    QHeaderView *heading = m_table->horizontalHeader();
    const QFontMetrics metrics(heading->font());
    // Every figure whole; a title longer than about thirty characters takes a second line rather than more width.
    const int padding = 2 * metrics.averageCharWidth();
    const int longestTitle = 30 * metrics.averageCharWidth();
    int width = 2 * m_table->frameWidth();
    int headingHeight = 0;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const QString title = m_model->headerData(c, Qt::Horizontal).toString();
        const int titleWidth = std::min(metrics.horizontalAdvance(title), longestTitle);
        int cells = 0;
        for (int r = 0; r < m_model->rowCount(); ++r) {
            const QModelIndex index = m_model->index(r, c);
            const QFont font =
                index.data(Qt::FontRole).isValid() ? index.data(Qt::FontRole).value<QFont>() : m_table->font();
            cells = std::max(cells, QFontMetrics(font).horizontalAdvance(index.data().toString()));
        }
        m_table->setColumnWidth(c, std::max(cells, titleWidth) + padding);
        width += m_table->columnWidth(c);
        const QRect box = metrics.boundingRect(QRect(0, 0, m_table->columnWidth(c) - padding, 1000),
                                               Qt::AlignCenter | Qt::TextWordWrap, title);
        headingHeight = std::max(headingHeight, box.height() + metrics.height() / 2);
    }
    heading->setFixedHeight(headingHeight);
    m_table->resizeRowsToContents();
    int height = headingHeight + 2 * m_table->frameWidth();
    for (int r = 0; r < m_model->rowCount(); ++r)
        height += m_table->rowHeight(r);
    m_tableSize = QSize(width, height);
    m_table->setMaximumHeight(height);
    m_table->setMinimumHeight(std::min(height, 200));
    // The table whole, the chart below it in the rest.
    m_splitter->setSizes({height, std::max(m_splitter->height() - height, 320)});
}

QSize LoanComparisonWindow::sizeHint() const
{
    return {std::max(m_tableSize.width(), 480), m_tableSize.height() + m_splitter->handleWidth() + 320};
}

} // namespace app
