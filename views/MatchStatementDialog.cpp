#include "MatchStatementDialog.h"

#include "StatementComparisonModel.h"
#include "StatementFile.h"

#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "ui/BusyCursor.h"
#include "ui/UserDialogs.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace views {

namespace {

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

enum CandidateColumn {
    colCompounding,
    colYearLength,
    colFirstDate,
    colRate,
    colRateFrom,
    colMatched,
    colAgreeing,
    colLargest,
    colFirstDifference,
    kCandidateColumns
};

// The ranked candidates. The arrow keys only move the cursor through them: a candidate is chosen, and its schedule
// shown for Apply, by a click or by Space or Enter on it, so that a keyboard user passing through the table on the
// way to Apply does not change what Apply does.
class CandidateTable : public QTableWidget
{
public:
    using QTableWidget::QTableWidget;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index, const QEvent *event) const override
    {
        if (event && event->type() == QEvent::KeyPress) {
            const int key = static_cast<const QKeyEvent *>(event)->key();
            return key == Qt::Key_Space || key == Qt::Key_Select
                ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                : QItemSelectionModel::NoUpdate;
        }
        return QTableWidget::selectionCommand(index, event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        // Enter chooses the candidate under the cursor; Apply stays one deliberate step away.
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
            selectRow(currentIndex().row());
            event->accept();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

// Rows as tall as a line of text, however many there are.
void compactRows(QTableView *table)
{
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
}

} // namespace

MatchStatementDialog::MatchStatementDialog(const engine::LoanDocument &loan, const engine::NumberFormat &format,
                                           ui::UserDialogs &dialogs, const QString &title, const QString &folder,
                                           QWidget *parent)
    : QDialog(parent)
    , m_loan(loan)
    , m_format(format)
    , m_dialogs(dialogs)
    , m_title(title)
    , m_folder(folder)
{
    setWindowTitle(QStringLiteral("Match Statement"));

    m_source = new QLabel(QStringLiteral("Open the lender's statement, or copy its table from a spreadsheet or the "
                                         "bank's web page and take it from the clipboard."),
                          this);
    m_source->setWordWrap(true);
    auto *fromFile = new QPushButton(QStringLiteral("From &File..."), this);
    auto *fromClipboard = new QPushButton(QStringLiteral("From &Clipboard"), this);
    connect(fromFile, &QPushButton::clicked, this, &MatchStatementDialog::loadFromFile);
    connect(fromClipboard, &QPushButton::clicked, this, &MatchStatementDialog::loadFromClipboard);
    auto *sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_source, 1);
    sourceRow->addWidget(fromFile);
    sourceRow->addWidget(fromClipboard);

    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_progress->setVisible(false);

    m_candidates = new CandidateTable(0, kCandidateColumns, this);
    m_candidates->setAccessibleName(tr("Candidates"));
    m_candidates->setAccessibleDescription(
        tr("Conventions and rates that may reproduce the statement, best first. Space or Enter chooses one."));
    m_candidates->setTabKeyNavigation(false);
    m_candidates->setHorizontalHeaderLabels(
        {QStringLiteral("Compounding"), QStringLiteral("Periods\nper Year"), QStringLiteral("First\nDate Is"),
         QStringLiteral("Annual\nRate"), QStringLiteral("Rate\nFrom"), QStringLiteral("Rows\nMatched"),
         QStringLiteral("Rows\nAgreeing"), QStringLiteral("Largest\nDifference"), QStringLiteral("First\nDifference")});
    m_candidates->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_candidates->setSelectionMode(QAbstractItemView::SingleSelection);
    m_candidates->setEditTriggers(QAbstractItemView::NoEditTriggers);
    compactRows(m_candidates);
    // Every column whole, the last one too: a narrow dialog scrolls rather than cut the first difference short.
    m_candidates->horizontalHeader()->setStretchLastSection(false);
    connect(m_candidates, &QTableWidget::itemSelectionChanged, this, &MatchStatementDialog::showChosen);

    m_model = new StatementComparisonModel(m_format, this);
    m_comparison = new QTableView(this);
    m_comparison->setModel(m_model);
    m_comparison->setAccessibleName(tr("Statement and schedule"));
    m_comparison->setAccessibleDescription(tr("Each statement row beside the chosen candidate's schedule; cells marked "
                                              "\u2260 differ, dates marked ? have no schedule row."));
    m_comparison->setTabKeyNavigation(false);
    compactRows(m_comparison);
    m_comparison->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto *tables = new QSplitter(Qt::Vertical, this);
    tables->addWidget(m_candidates);
    tables->addWidget(m_comparison);
    tables->setStretchFactor(1, 2);

    m_words = new QLabel(this);
    m_words->setWordWrap(true);
    m_words->setTextFormat(Qt::PlainText);
    m_words->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_words->setAccessibleName(tr("What differs"));

    auto *buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    m_apply->setEnabled(false);
    connect(m_apply, &QPushButton::clicked, this, &MatchStatementDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sourceRow);
    layout->addWidget(m_progress);
    layout->addWidget(tables, 1);
    layout->addWidget(m_words);
    layout->addWidget(buttons);
    resize(960, 640);
}

MatchStatementDialog::~MatchStatementDialog() = default;

void MatchStatementDialog::loadFromFile()
{
    const QString path = m_dialogs.openFile(this, QStringLiteral("Open Statement"), m_folder,
                                            QStringLiteral("Statements (*.csv *.tsv *.txt);;All Files (*)"));
    if (path.isEmpty())
        return;
    const StatementText file = readStatementFile(path);
    if (!file.ok()) {
        refuse(file.error.toStdString());
        return;
    }
    m_folder = QFileInfo(path).absolutePath();
    loadStatement(file.text, QFileInfo(path).fileName());
}

void MatchStatementDialog::loadFromClipboard()
{
    loadStatement(QGuiApplication::clipboard()->text().toStdString(), QStringLiteral("the clipboard"));
}

bool MatchStatementDialog::loadStatement(const std::string &statementText, const QString &source)
{
    engine::StatementReadResult read = engine::readStatement(statementText, m_format);
    if (!read.ok()) {
        refuse(read.error);
        return false;
    }
    engine::MatchResult result;
    {
        const ui::BusyCursor busy;
        m_progress->setVisible(true);
        result = engine::matchStatement(m_loan, read.statement, m_format, [this](int done, int total) {
            m_progress->setMaximum(total);
            m_progress->setValue(done);
        });
        m_progress->setVisible(false);
    }
    if (!result.ok()) {
        refuse(result.error);
        return false;
    }
    m_statement = std::move(read.statement);
    m_result = std::move(result);
    m_source->setText(QStringLiteral("Statement from %1: %2 rows.").arg(source).arg(m_statement.rows.size()));
    m_model->setStatement(m_statement);
    showCandidates();
    return true;
}

void MatchStatementDialog::showCandidates()
{
    const QSignalBlocker blocker(m_candidates);
    m_candidates->setRowCount(int(m_result.candidates.size()));
    const int total = m_result.statementRows;
    for (int r = 0; r < int(m_result.candidates.size()); ++r) {
        const engine::CandidateResult &candidate = m_result.candidates[size_t(r)];
        const engine::Conventions &c = candidate.conventions;
        const QStringList cells = {
            text(engine::compoundingText(m_loan.gintLoanType, c.compounding)),
            text(engine::yearLengthText(m_loan.gintFreqOfInst, c.periodsPerYearIndex)),
            text(engine::startPaymentText(c.startPayment)),
            text(m_format.ratePercent(c.annualRate)),
            c.rateFromStatement ? QStringLiteral("Statement") : QStringLiteral("Document"),
            QStringLiteral("%1 of %2").arg(candidate.rowsMatched).arg(total),
            QStringLiteral("%1 of %2").arg(candidate.rowsAgreeing).arg(total),
            candidate.rowsMatched > 0 ? text(m_format.currency(candidate.largestDifference)) : QString(),
            candidate.firstDisagreeingLine > 0 ? QStringLiteral("line %1, %2")
                                                     .arg(candidate.firstDisagreeingLine)
                                                     .arg(text(m_format.formatDate(candidate.firstDisagreeingDate)))
                                               : QString(),
        };
        for (int col = 0; col < kCandidateColumns; ++col) {
            auto *item = new QTableWidgetItem(cells[col]);
            if (col == colRate || (col >= colMatched && col <= colLargest))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (candidate.isDocument) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
                item->setToolTip(tr("The document's own conventions and rate"));
                // The bold said in words as well, on the row's first cell.
                if (col == colCompounding) {
                    item->setText(QStringLiteral("\u2605 ") + cells[col]);
                    item->setData(Qt::AccessibleTextRole, cells[col] + QStringLiteral(", ") + item->toolTip());
                }
            }
            m_candidates->setItem(r, col, item);
        }
    }
    m_candidates->resizeColumnsToContents();
    if (!m_result.candidates.empty())
        m_candidates->selectRow(0);
    showChosen();
}

const engine::CandidateResult *MatchStatementDialog::chosen() const
{
    const QModelIndexList rows = m_candidates->selectionModel()->selectedRows();
    if (rows.isEmpty() || size_t(rows.first().row()) >= m_result.candidates.size())
        return nullptr;
    return &m_result.candidates[size_t(rows.first().row())];
}

void MatchStatementDialog::showChosen()
{
    const engine::CandidateResult *candidate = chosen();
    if (!candidate) {
        m_model->setComparison({});
        m_words->clear();
        m_apply->setEnabled(false);
        return;
    }
    const engine::CandidateComparison comparison =
        engine::compareCandidate(m_loan, m_statement, m_format, candidate->conventions);
    QString words = candidate->rowsAgreeing == m_result.statementRows
        ? QStringLiteral("Every row of the statement agrees to the cent.")
        : text(engine::describeDrift(m_statement, comparison, m_format));
    const std::string changes = engine::describeChanges(m_loan, candidate->conventions, m_format);
    words += QLatin1Char('\n')
        + (changes.empty() ? QStringLiteral("These are the document's own conventions and rate.") : text(changes));
    m_words->setText(words);
    m_model->setComparison(comparison);
    m_comparison->resizeColumnsToContents();
    m_apply->setEnabled(!changes.empty());
}

void MatchStatementDialog::apply()
{
    if (const engine::CandidateResult *candidate = chosen()) {
        m_applied = candidate->conventions;
        accept();
    }
}

void MatchStatementDialog::refuse(const std::string &message)
{
    m_dialogs.message(this, m_title, text(message), ui::UserDialogs::Ok, ui::UserDialogs::Icon::Warning);
}

} // namespace views
