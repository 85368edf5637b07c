#include "BreakPenaltyDialog.h"

#include "ReportTable.h"

#include "engine/Limits.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "ui/DateField.h"
#include "ui/DialogButton.h"
#include "ui/NumberField.h"

#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace views {

namespace {

// Rates are typed in percent, up to 1000 %.
constexpr double kMostRatePercent = 1000;

} // namespace

BreakPenaltyDialog::BreakPenaltyDialog(const engine::LoanDocument &loan, const QDate &today,
                                       const engine::NumberFormat &format, QWidget *parent)
    : QDialog(parent)
    , m_loan(loan)
    , m_format(format)
{
    setObjectName(QStringLiteral("BreakPenaltyDialog"));
    setWindowTitle(tr("Break Penalty"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_date = new ui::DateField(format);
    m_date->setObjectName(QStringLiteral("txtPenaltyDate"));
    m_amount = ui::numberField("txtPenaltyAmount", engine::kMaxAmount, 2, format);
    m_comparisonRate = ui::numberField("txtComparisonRate", kMostRatePercent, 4, format);
    m_postedRate = ui::numberField("txtPostedRate", kMostRatePercent, 4, format);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setWordWrap(true);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    m_rows = new QTableWidget(0, 2);
    m_rows->setObjectName(QStringLiteral("gridPenalty"));
    m_rows->setHorizontalHeaderLabels({tr("Figure"), tr("Value")});
    setUpReportTable(m_rows, tr("Estimate"), this, [this] { copy(); });
    m_rows->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_rows->horizontalHeader()->setStretchLastSection(true);
    m_rows->setWordWrap(false);
    // Room for every row of an estimate.
    m_rows->setMinimumSize(560, (m_rows->fontMetrics().height() + 8) * 19);

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto row = [form](const QString &label, QWidget *field) { addLabelledRow(form, label, field); };
    row(tr("&Date:"), m_date);
    row(tr("&Amount prepaid:"), m_amount);
    row(tr("&Comparison rate (%):"), m_comparisonRate);
    row(tr("Today's &posted rate (%):"), m_postedRate);
    auto *rowsLabel = new QLabel(tr("&Estimate:"));
    rowsLabel->setBuddy(m_rows);

    QHBoxLayout *buttons = copyAndCloseButtons(this, m_copy, [this] { copy(); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(rowsLabel);
    layout->addWidget(m_rows, 1);
    layout->addLayout(buttons);

    // Today's posted rate counts only for a posted comparison, which starts from the posted rate at signing.
    const std::optional<engine::PrepaymentTerms> &terms = loan.prepaymentTerms;
    const bool posted = terms && terms->method == engine::PenaltyMethod::GreaterOfThreeMonthsAndIrd
        && terms->comparison == engine::IrdComparison::Posted;
    m_postedRate->setEnabled(posted);
    if (posted)
        m_postedRate->setText(ui::numberFieldText(terms->originalPostedRate * 100, 4, format));

    const engine::ScheduleTable &schedule = loan.gridMain0;
    if (schedule.rows() >= 2) {
        const int next = schedule.firstPaymentFrom(ui::toSerial(today) + 1);
        m_date->setDate(ui::toQDate(next ? schedule.dateOf(next) : schedule.dateOf(schedule.rows() - 1)));
    }
    dateChosen();
    if (m_estimate.ok() || m_estimate.error == engine::PenaltyError::PostedRateMissing) {
        QScopedValueRollback<bool> filling(m_filling, true);
        m_comparisonRate->setText(ui::numberFieldText(m_estimate.contractRate * 100, 4, format));
    }
    recalculate();

    connect(m_date, &ui::DateField::dateChanged, this, &BreakPenaltyDialog::dateChosen);
    // A date refused leaves no estimate, and says why where the estimate's reasons show.
    connect(m_date, &ui::DateField::dateRefused, this, [this](const QString &message) {
        recalculate();
        m_problem->setText(message);
    });
    connect(m_amount, &QLineEdit::textEdited, this, [this] {
        m_amountTyped = !m_amount->text().isEmpty();
        recalculate();
    });
    connect(m_comparisonRate, &QLineEdit::textChanged, this, &BreakPenaltyDialog::recalculate);
    connect(m_postedRate, &QLineEdit::textChanged, this, &BreakPenaltyDialog::recalculate);
}

void BreakPenaltyDialog::dateChosen()
{
    if (!m_amountTyped) {
        QScopedValueRollback<bool> filling(m_filling, true);
        m_amount->clear();
        recalculate();
        if (m_estimate.ok() || m_estimate.error == engine::PenaltyError::PostedRateMissing)
            m_amount->setText(ui::numberFieldText(m_estimate.balance, 2, m_format));
    }
    recalculate();
}

void BreakPenaltyDialog::recalculate()
{
    m_request = {};
    QString problem;
    const QDate date = m_date->date();
    if (date.isValid())
        m_request.date = ui::toSerial(date);
    else
        problem = tr("Enter the date of the prepayment.");
    m_request.amount = ui::numberFieldValue(m_amount, m_format);
    const std::optional<double> comparison = ui::numberFieldValue(m_comparisonRate, m_format);
    m_request.comparisonRate = comparison.value_or(0) / 100;
    if (m_postedRate->isEnabled()) {
        if (const std::optional<double> posted = ui::numberFieldValue(m_postedRate, m_format))
            m_request.postedRate = *posted / 100;
    }
    if (problem.isEmpty()) {
        m_estimate = engine::breakPenalty(m_loan, m_request, m_format);
        if (!m_estimate.ok())
            problem = QString::fromStdString(m_estimate.message);
    } else {
        m_estimate = {};
        m_estimate.error = engine::PenaltyError::DateOutsideSchedule;
    }
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    if (!m_filling)
        showRows();
}

void BreakPenaltyDialog::showRows()
{
    m_rows->setRowCount(0);
    if (!m_estimate.ok())
        return;
    const auto rows = engine::penaltyRows(m_estimate, m_format);
    m_rows->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        m_rows->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(rows[std::size_t(r)].first)));
        m_rows->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(rows[std::size_t(r)].second)));
    }
}

QString BreakPenaltyDialog::rowsText() const
{
    QString text;
    for (int r = 0; r < m_rows->rowCount(); ++r)
        text += m_rows->item(r, 0)->text() + QLatin1Char('\t') + m_rows->item(r, 1)->text() + QLatin1Char('\n');
    return text;
}

void BreakPenaltyDialog::copy()
{
    if (m_rows->rowCount() > 0)
        QGuiApplication::clipboard()->setText(rowsText());
}

} // namespace views
