#include "RenewalDialog.h"

#include "ReportTable.h"

#include "engine/Codes.h"
#include "engine/LoanComparison.h"
#include "engine/LoanDocument.h"
#include "engine/NumberFormat.h"
#include "ui/DialogButton.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace views {

RenewalDialog::RenewalDialog(const engine::LoanDocument &loan, const engine::NumberFormat &format, QWidget *parent)
    : QDialog(parent)
    , m_loan(loan)
    , m_format(format)
{
    setObjectName(QStringLiteral("RenewalDialog"));
    setWindowTitle(tr("Renewal"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_facts = new QLabel;
    m_facts->setObjectName(QStringLiteral("lblFacts"));
    m_facts->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    m_rates = new QLineEdit;
    m_rates->setObjectName(QStringLiteral("txtRates"));
    m_rates->setAccessibleName(tr("Annual rates in percent"));
    m_rates->setToolTip(tr("The annual rates to compare, in percent, separated by \"%1\"").arg(separator().trimmed()));
    auto *ratesLabel = new QLabel(tr("&Rates (%):"));
    ratesLabel->setBuddy(m_rates);

    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setWordWrap(true);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    m_table = new QTableWidget;
    m_table->setObjectName(QStringLiteral("gridRenewal"));
    setUpReportTable(m_table, tr("Renewal at each rate"), this, [this] { copy(); });
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumSize(700, 200);
    auto *tableLabel = new QLabel(tr("Renewal at &each rate:"));
    tableLabel->setBuddy(m_table);

    QHBoxLayout *buttons = copyAndCloseButtons(this, m_copy, [this] { copy(); });

    auto *rates = new QHBoxLayout;
    rates->addWidget(ratesLabel);
    rates->addWidget(m_rates, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_facts);
    layout->addLayout(rates);
    layout->addWidget(m_problem);
    layout->addWidget(tableLabel);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    // The engine's rates around the rate in force, shown as the user would type them.
    m_renewal = engine::renewal(m_loan, {}, m_format);
    QStringList typed;
    const QString point = QString::fromStdString(m_format.decimalSeparator);
    for (const engine::RenewalRate &rate : m_renewal.rates) {
        QString text = QString::fromStdString(m_format.fixed(rate.annualRate * 100, 4));
        if (text.contains(point)) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(point))
                text.chop(point.size());
        }
        typed << text;
    }
    m_rates->setText(typed.join(separator()));
    connect(m_rates, &QLineEdit::textEdited, this, &RenewalDialog::recalculate);
    if (m_renewal.ok()) {
        recalculate();
    } else {
        // Nothing to renew at any rate.
        m_rates->setEnabled(false);
        m_problem->setText(QString::fromStdString(m_renewal.error));
        m_facts->hide();
        m_copy->setEnabled(false);
    }
}

QString RenewalDialog::separator() const
{
    return m_format.decimalSeparator == "," ? QStringLiteral("; ") : QStringLiteral(", ");
}

std::optional<std::vector<double>> RenewalDialog::ratesTyped() const
{
    const QStringList parts = m_rates->text().split(separator().trimmed().at(0), Qt::SkipEmptyParts);
    std::vector<double> rates;
    for (const QString &part : parts) {
        const std::optional<double> percent = m_format.parseNumber(part.trimmed().toStdString());
        if (!percent || *percent < 0 || *percent > 1000)
            return std::nullopt;
        rates.push_back(*percent / 100);
    }
    if (rates.empty() || rates.size() > std::size_t(engine::kMostRenewalRates))
        return std::nullopt;
    return rates;
}

void RenewalDialog::recalculate()
{
    const std::optional<std::vector<double>> rates = ratesTyped();
    QString problem;
    if (!rates)
        problem = tr("Enter from 1 to %1 annual rates in percent from 0 to 1000, separated by \"%2\".")
                      .arg(engine::kMostRenewalRates)
                      .arg(separator().trimmed());
    else
        m_renewal = engine::renewal(m_loan, *rates, m_format);
    if (problem.isEmpty() && !m_renewal.ok())
        problem = QString::fromStdString(m_renewal.error);
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    if (problem.isEmpty()) {
        m_text = engine::renewalTable(m_renewal, &m_format);
        m_facts->setText(tr("At the last payment of the term, %1: balance left %2, amortization left %3 %4 (%5 "
                            "payments).")
                             .arg(QString::fromStdString(m_format.formatDate(m_renewal.date)),
                                  QString::fromStdString(m_format.currency(m_renewal.balanceLeft)),
                                  QString::fromStdString(m_format.fixed(m_renewal.amortizationLeft, 2)),
                                  QString::fromStdString(engine::amortUnitLabel(m_loan.gintAmortUnit)).toLower())
                             .arg(m_renewal.periodsLeft));
    } else {
        m_text.clear();
    }
    m_facts->setVisible(!m_text.empty());
    m_copy->setEnabled(!m_text.empty());
    showTable();
}

void RenewalDialog::showTable()
{
    showTextTable(m_table, m_text, 1);
}

QString RenewalDialog::tableText() const
{
    return QString::fromStdString(engine::delimitedText(m_text, '\t'));
}

void RenewalDialog::copy()
{
    if (!m_text.empty())
        QGuiApplication::clipboard()->setText(tableText());
}

} // namespace views
