#include "PrepaymentTermsDialog.h"

#include "ReportTable.h"

#include "engine/Limits.h"
#include "engine/NumberFormat.h"
#include "ui/DateField.h"
#include "ui/DialogButton.h"
#include "ui/NumberField.h"
#include "ui/UserDialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace views {

namespace {

constexpr int kOff = -1;

QComboBox *choices(const char *name, const QStringList &texts, const QList<int> &values)
{
    auto *box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    for (qsizetype i = 0; i < texts.size(); ++i)
        box->addItem(texts[i], values.value(i, int(i)));
    return box;
}

void choose(QComboBox *box, int value)
{
    const int index = box->findData(value);
    if (index >= 0)
        box->setCurrentIndex(index);
}

int chosenValue(const QComboBox *box)
{
    return box->currentData().toInt();
}

// The percentages of a penalty by loan year, as a field shows them: "2; 2; 1".
QString percentList(const std::vector<double> &percents, const engine::NumberFormat &format)
{
    QStringList texts;
    for (double percent : percents)
        texts << ui::numberFieldText(percent, 4, format);
    return texts.join(QStringLiteral("; "));
}

// The percentages typed, apart by semicolons or spaces (or commas, where the comma is no decimal separator); nothing
// when one is no number.
std::optional<std::vector<double>> readPercentList(const QString &text, const engine::NumberFormat &format)
{
    const QString separators = format.decimalSeparator == "," ? QStringLiteral("[;\\s]+") : QStringLiteral("[;,\\s]+");
    std::vector<double> percents;
    for (const QString &part : text.split(QRegularExpression(separators), Qt::SkipEmptyParts)) {
        const std::optional<double> value = format.parseNumber(part.toStdString());
        if (!value)
            return std::nullopt;
        percents.push_back(*value);
    }
    return percents;
}

} // namespace

PrepaymentTermsDialog::PrepaymentTermsDialog(const std::optional<engine::PrepaymentTerms> &terms,
                                             engine::Date lastPaymentDate, const engine::NumberFormat &format,
                                             ui::UserDialogs &dialogs, const QString &title, QWidget *parent)
    : QDialog(parent)
    , m_format(format)
    , m_dialogs(dialogs)
    , m_title(title)
    , m_lastPaymentDate(lastPaymentDate)
    , m_storedMaturity(terms ? terms->maturity : engine::kNoDate)
{
    setObjectName(QStringLiteral("PrepaymentTermsDialog"));
    setWindowTitle(tr("Prepayment Terms"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_kind =
        choices("cboMortgageKind",
                {tr("Off (no prepayment terms)"), tr("Closed, fixed rate"), tr("Closed, variable rate"), tr("Open")},
                {kOff, int(engine::MortgageKind::ClosedFixed), int(engine::MortgageKind::ClosedVariable),
                 int(engine::MortgageKind::Open)});
    m_lumpSumPercent = ui::numberField("txtLumpSumPercent", engine::kMaxTermsPercent, 4, format);
    m_minimumLumpSum = ui::numberField("txtMinimumLumpSum", engine::kMaxAmount, 2, format);
    m_increasePercent = ui::numberField("txtPaymentIncreasePercent", engine::kMaxTermsPercent, 4, format);
    m_increaseOf = choices("cboIncreaseOf", {tr("The original payment"), tr("The current payment")},
                           {int(engine::IncreaseBase::Original), int(engine::IncreaseBase::Current)});
    m_caps = choices("cboCaps", {tr("Separate caps"), tr("One combined cap")}, {0, 1});
    m_privilegeYear = choices("cboPrivilegeYear", {tr("Calendar year"), tr("Loan year, from the first payment")},
                              {int(engine::PrivilegeYearKind::Calendar), int(engine::PrivilegeYearKind::LoanYear)});
    m_maturity = new ui::DateField(format);
    m_maturity->setObjectName(QStringLiteral("txtMaturity"));
    m_method = choices("cboPenaltyMethod",
                       {tr("Greater of three months' interest and the IRD"), tr("Three months' interest"),
                        tr("Percentage of the amount by loan year"), tr("None")},
                       {int(engine::PenaltyMethod::GreaterOfThreeMonthsAndIrd),
                        int(engine::PenaltyMethod::ThreeMonthsInterest), int(engine::PenaltyMethod::PercentByLoanYear),
                        int(engine::PenaltyMethod::None)});
    m_percentByYear = new QLineEdit;
    m_percentByYear->setObjectName(QStringLiteral("txtPercentByLoanYear"));
    m_comparison =
        choices("cboIrdComparison", {tr("The rate as given (discounted)"), tr("Posted rate less the discount")},
                {int(engine::IrdComparison::Discounted), int(engine::IrdComparison::Posted)});
    m_postedRate = ui::numberField("txtOriginalPostedRate", engine::kMaxPostedRate * 100, 4, format);
    m_chargeOn = choices("cboChargeOn", {tr("The excess over the privilege"), tr("The whole prepayment")},
                         {int(engine::ChargeOn::Excess), int(engine::ChargeOn::WholePrepayment)});
    m_flatFee = ui::numberField("txtFlatFee", engine::kMaxAmount, 2, format);

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto row = [form](const QString &label, QWidget *field) { addLabelledRow(form, label, field); };
    row(tr("&Mortgage kind:"), m_kind);
    row(tr("&Lump-sum privilege (% of the original amount):"), m_lumpSumPercent);
    row(tr("Mi&nimum lump sum:"), m_minimumLumpSum);
    row(tr("Payment inc&rease privilege (%):"), m_increasePercent);
    row(tr("Increase &of:"), m_increaseOf);
    row(tr("C&aps:"), m_caps);
    row(tr("Privilege &year:"), m_privilegeYear);
    row(tr("&Term maturity date:"), m_maturity);
    row(tr("&Penalty method:"), m_method);
    row(tr("Penalty by loan y&ear (%):"), m_percentByYear);
    row(tr("IRD &comparison:"), m_comparison);
    row(tr("Original po&sted rate (%):"), m_postedRate);
    row(tr("C&harge on:"), m_chargeOn);
    row(tr("&Flat fee:"), m_flatFee);

    m_ok = ui::dialogButton(tr("OK"), "cmdOK");
    m_ok->setDefault(true);
    QPushButton *cancel = ui::dialogButton(tr("Cancel"), "cmdCancel");
    connect(m_ok, &QPushButton::clicked, this, &PrepaymentTermsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    showTerms(terms.value_or(engine::defaultPrepaymentTerms()));
    m_wasOff = !terms;
    if (!terms)
        choose(m_kind, kOff);
    enableFields();
    connect(m_kind, &QComboBox::currentIndexChanged, this, &PrepaymentTermsDialog::kindChosen);
    connect(m_method, &QComboBox::currentIndexChanged, this, &PrepaymentTermsDialog::enableFields);
    connect(m_comparison, &QComboBox::currentIndexChanged, this, &PrepaymentTermsDialog::enableFields);
    connect(m_maturity, &ui::DateField::dateRefused, this, [this](const QString &message) {
        m_dialogs.message(this, m_title, message, ui::UserDialogs::Ok, ui::UserDialogs::Icon::Warning);
    });
}

void PrepaymentTermsDialog::showTerms(const engine::PrepaymentTerms &terms)
{
    choose(m_kind, int(terms.kind));
    m_lumpSumPercent->setText(ui::numberFieldText(terms.lumpSumPercent, 4, m_format));
    m_minimumLumpSum->setText(ui::numberFieldText(terms.minimumLumpSum, 2, m_format));
    m_increasePercent->setText(ui::numberFieldText(terms.paymentIncreasePercent, 4, m_format));
    choose(m_increaseOf, int(terms.increaseOf));
    choose(m_caps, terms.combinedCap ? 1 : 0);
    choose(m_privilegeYear, int(terms.privilegeYear));
    m_maturity->setDate(ui::toQDate(terms.maturity == engine::kNoDate ? m_lastPaymentDate : terms.maturity));
    choose(m_method, int(terms.method));
    m_percentByYear->setText(percentList(terms.percentByLoanYear, m_format));
    choose(m_comparison, int(terms.comparison));
    m_postedRate->setText(ui::numberFieldText(terms.originalPostedRate * 100, 4, m_format));
    choose(m_chargeOn, int(terms.chargeOn));
    m_flatFee->setText(ui::numberFieldText(terms.flatFee, 2, m_format));
}

void PrepaymentTermsDialog::kindChosen()
{
    const int kind = chosenValue(m_kind);
    if (kind != kOff) {
        const auto mortgageKind = engine::MortgageKind(kind);
        // Terms turned on start from the kind's defaults; another kind brings its own penalty method.
        if (m_wasOff) {
            showTerms(engine::defaultPrepaymentTerms(mortgageKind));
        } else {
            choose(m_method, int(engine::defaultPenaltyMethod(mortgageKind)));
        }
    }
    m_wasOff = kind == kOff;
    enableFields();
}

void PrepaymentTermsDialog::enableFields()
{
    const bool on = chosenValue(m_kind) != kOff;
    const auto method = engine::PenaltyMethod(chosenValue(m_method));
    const bool ird = method == engine::PenaltyMethod::GreaterOfThreeMonthsAndIrd;
    for (QWidget *field :
         {static_cast<QWidget *>(m_lumpSumPercent), static_cast<QWidget *>(m_minimumLumpSum),
          static_cast<QWidget *>(m_increasePercent), static_cast<QWidget *>(m_increaseOf),
          static_cast<QWidget *>(m_caps), static_cast<QWidget *>(m_privilegeYear), static_cast<QWidget *>(m_maturity),
          static_cast<QWidget *>(m_method), static_cast<QWidget *>(m_chargeOn), static_cast<QWidget *>(m_flatFee)})
        field->setEnabled(on);
    m_percentByYear->setEnabled(on && method == engine::PenaltyMethod::PercentByLoanYear);
    m_comparison->setEnabled(on && ird);
    m_postedRate->setEnabled(on && ird
                             && engine::IrdComparison(chosenValue(m_comparison)) == engine::IrdComparison::Posted);
}

std::optional<engine::PrepaymentTerms> PrepaymentTermsDialog::read(QString &problem) const
{
    engine::PrepaymentTerms terms;
    terms.kind = engine::MortgageKind(chosenValue(m_kind));
    auto number = [&](const QLineEdit *field, double &into, const QString &name) {
        if (!problem.isEmpty())
            return;
        if (const std::optional<double> value = ui::numberFieldValue(field, m_format))
            into = *value;
        else
            problem = tr("Enter the %1 as a number.").arg(name);
    };
    number(m_lumpSumPercent, terms.lumpSumPercent, tr("lump-sum privilege"));
    number(m_minimumLumpSum, terms.minimumLumpSum, tr("minimum lump sum"));
    number(m_increasePercent, terms.paymentIncreasePercent, tr("payment-increase privilege"));
    number(m_flatFee, terms.flatFee, tr("flat fee"));
    terms.increaseOf = engine::IncreaseBase(chosenValue(m_increaseOf));
    terms.combinedCap = chosenValue(m_caps) == 1;
    terms.privilegeYear = engine::PrivilegeYearKind(chosenValue(m_privilegeYear));
    terms.method = engine::PenaltyMethod(chosenValue(m_method));
    terms.comparison = engine::IrdComparison(chosenValue(m_comparison));
    terms.chargeOn = engine::ChargeOn(chosenValue(m_chargeOn));
    double postedPercent = 0;
    number(m_postedRate, postedPercent, tr("original posted rate"));
    terms.originalPostedRate = postedPercent / 100;
    if (!problem.isEmpty())
        return std::nullopt;
    if (const auto percents = readPercentList(m_percentByYear->text(), m_format)) {
        terms.percentByLoanYear = *percents;
    } else {
        problem = tr("Enter the penalty by loan year as percentages apart by semicolons, such as 3; 2; 1.");
        return std::nullopt;
    }
    const QDate maturity = m_maturity->date();
    if (!maturity.isValid()) {
        problem = tr("Enter the term maturity date.");
        return std::nullopt;
    }
    // Terms that follow the schedule's last payment date keep following it while that is the date shown.
    const engine::Date serial = ui::toSerial(maturity);
    terms.maturity = m_storedMaturity == engine::kNoDate && serial == m_lastPaymentDate ? engine::kNoDate : serial;
    if (const std::string engineProblem = engine::prepaymentTermsProblem(terms); !engineProblem.empty()) {
        problem = QString::fromStdString(engineProblem);
        return std::nullopt;
    }
    return terms;
}

void PrepaymentTermsDialog::accept()
{
    if (chosenValue(m_kind) == kOff) {
        m_chosen.reset();
        QDialog::accept();
        return;
    }
    m_maturity->interpretText();
    QString problem;
    std::optional<engine::PrepaymentTerms> terms = read(problem);
    if (!terms) {
        m_dialogs.message(this, m_title, problem, ui::UserDialogs::Ok, ui::UserDialogs::Icon::Warning);
        return;
    }
    m_chosen = std::move(terms);
    QDialog::accept();
}

} // namespace views
