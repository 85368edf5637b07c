#include "OptionalInformationPage.h"

#include "engine/Limits.h"
#include "engine/NumberFormat.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace app {

using Terms = engine::LoanTerms;

OptionalInformationPage::OptionalInformationPage(engine::LoanTerms &terms, const engine::NumberFormat &format,
                                                 QWidget *parent)
    : WizardPage(terms, format, parent)
{
    QGridLayout *grid = formGrid();
    m_txtTitle = new QLineEdit;
    m_txtTitle->setObjectName(QStringLiteral("txtTitle"));
    setTip(m_txtTitle, QStringLiteral("Enter the Title of your Document Here"));
    addRow(grid, 0, QStringLiteral("Title:"), m_txtTitle, 4);

    m_txtComments = new QPlainTextEdit;
    m_txtComments->setObjectName(QStringLiteral("txtComments"));
    m_txtComments->setTabChangesFocus(true);
    m_txtComments->setFixedHeight(m_txtComments->fontMetrics().lineSpacing() * 3 + 14);
    setTip(m_txtComments, QStringLiteral("Enter Additional Information Here"));
    addRow(grid, 1, QStringLiteral("Comments:"), m_txtComments, 4)->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_txtPurchasePrice = numberField("txtPurchasePrice", engine::kMaxWholeAmount, 2);
    addRow(grid, 2, QStringLiteral("Purchase Price:"), m_txtPurchasePrice);

    m_txtDownPaymentPercent = numberField("txtDownPaymentPercent", engine::kMaxPercent, 4);
    m_txtDownPaymentPercent->setFixedWidth(m_txtDownPaymentPercent->width() * 6 / 10);
    setTip(m_txtDownPaymentPercent, QStringLiteral("Down Payment in Percent"));
    m_txtDownPaymentDollars = numberField("txtDownPaymentDollars", engine::kMaxWholeAmount, 2);
    setTip(m_txtDownPaymentDollars, QStringLiteral("Down Payment in Dollar Amount"));
    QString currency = QString::fromStdString(m_format.currencyPrefix).trimmed();
    if (currency.isEmpty())
        currency = QString::fromStdString(m_format.currencySuffix).trimmed();
    QWidget *downPayment = withUnit(m_txtDownPaymentPercent, QStringLiteral("%"), m_txtDownPaymentDollars, currency);
    nameWith(m_txtDownPaymentPercent, addRow(grid, 3, QStringLiteral("Down Payment:"), downPayment, 4));
    nameWith(m_txtDownPaymentDollars, labelFor(downPayment));

    m_txtCMHC = numberField("txtCMHC", engine::kMaxPercent, 4);
    m_txtCMHC->setFixedWidth(m_txtDownPaymentPercent->width());
    setTip(m_txtCMHC, QStringLiteral("Canada Mortgage and Housing Corporation"));
    nameWith(m_txtCMHC, addRow(grid, 4, QStringLiteral("CMHC Premium:"), withUnit(m_txtCMHC, QStringLiteral("%")), 4));

    m_txtAmountBorrowed = numberField("txtAmountBorrowed", engine::kMaxWholeAmount, 2);
    addRow(grid, 5, QStringLiteral("Amount Borrowed:"), m_txtAmountBorrowed);
    grid->setColumnStretch(4, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 12);
    layout->addLayout(grid);
    layout->addStretch(1);

    {
        const QScopedValueRollback guard(m_updating, m_updating + 1);
        m_txtTitle->setText(QString::fromStdString(m_terms.title()));
        m_txtComments->setPlainText(QString::fromStdString(m_terms.comments()));
    }
    connect(m_txtTitle, &QLineEdit::textChanged, this, &OptionalInformationPage::txtTitle_Change);
    connect(m_txtComments, &QPlainTextEdit::textChanged, this, &OptionalInformationPage::txtComments_Change);
    connect(m_txtPurchasePrice, &QLineEdit::textChanged, this, &OptionalInformationPage::txtPurchasePrice_Change);
    connect(m_txtDownPaymentPercent, &QLineEdit::textChanged, this,
            &OptionalInformationPage::txtDownPaymentPercent_Change);
    connect(m_txtDownPaymentDollars, &QLineEdit::textChanged, this,
            &OptionalInformationPage::txtDownPaymentDollars_Change);
    connect(m_txtCMHC, &QLineEdit::textChanged, this, &OptionalInformationPage::txtCMHC_Change);
    connect(m_txtAmountBorrowed, &QLineEdit::textChanged, this, &OptionalInformationPage::txtAmountBorrowed_Change);
}

// Number fields with their units beside them, in one row.
QWidget *OptionalInformationPage::withUnit(QLineEdit *field, const QString &unit, QLineEdit *second,
                                           const QString &secondUnit)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field);
    row->addWidget(new QLabel(unit));
    if (second) {
        row->addSpacing(10);
        row->addWidget(second);
        row->addWidget(new QLabel(secondUnit));
    }
    row->addStretch(1);
    return box;
}

QWidget *OptionalInformationPage::firstControl() const
{
    return m_txtTitle;
}

void OptionalInformationPage::refresh(engine::LoanTerms::Fields fields)
{
    const std::pair<Terms::Field, QLineEdit *> shown[] = {{Terms::PurchasePrice, m_txtPurchasePrice},
                                                          {Terms::DownPaymentPercent, m_txtDownPaymentPercent},
                                                          {Terms::DownPaymentDollars, m_txtDownPaymentDollars},
                                                          {Terms::Cmhc, m_txtCMHC},
                                                          {Terms::AmountBorrowed, m_txtAmountBorrowed}};
    for (const auto &[field, edit] : shown) {
        if (fields & field)
            showNumber(edit, field);
    }
}

void OptionalInformationPage::txtTitle_Change()
{
    if (!m_updating)
        m_terms.setTitle(m_txtTitle->text().toStdString());
}

void OptionalInformationPage::txtComments_Change()
{
    if (!m_updating)
        m_terms.setComments(m_txtComments->toPlainText().toStdString());
}

void OptionalInformationPage::txtPurchasePrice_Change()
{
    if (!m_updating)
        emit edited(m_terms.setPurchasePrice(value(m_txtPurchasePrice)));
}

void OptionalInformationPage::txtDownPaymentPercent_Change()
{
    if (!m_updating)
        emit edited(m_terms.setDownPaymentPercent(value(m_txtDownPaymentPercent)));
}

void OptionalInformationPage::txtDownPaymentDollars_Change()
{
    if (!m_updating)
        emit edited(m_terms.setDownPaymentDollars(value(m_txtDownPaymentDollars)));
}

void OptionalInformationPage::txtCMHC_Change()
{
    // Clearing the premium hands it back to the down payment at its next change.
    if (!m_updating)
        emit edited(m_terms.setCmhc(value(m_txtCMHC), !m_txtCMHC->text().trimmed().isEmpty()));
}

void OptionalInformationPage::txtAmountBorrowed_Change()
{
    if (!m_updating)
        emit edited(m_terms.setAmountBorrowed(value(m_txtAmountBorrowed)));
}

} // namespace app
