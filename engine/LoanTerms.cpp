#include "LoanTerms.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "Calendar.h"
#include "ChangeTables.h"
#include "LoanDocument.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

// The number a field shows for `value` with `decimals` decimals: what reading the field back gives.
std::optional<double> shown(std::optional<double> value, int decimals)
{
    if (!value)
        return std::nullopt;
    static const NumberFormat plain;
    return parsePlainNumber(plain.fixed(*value, decimals));
}

} // namespace

double cmhcPremium(double downPaymentPercent)
{
    // The insurers' published premiums; a down payment of a fifth of the price or more needs no insurance.
    if (downPaymentPercent < 10)
        return 4.00;
    if (downPaymentPercent < 15)
        return 3.10;
    if (downPaymentPercent < 20)
        return 2.80;
    return 0;
}

// ---------------------------------------------------------------------------------------------------------------
// Values

// What the rules read from a field: a number that is not negative.
LoanTerms::Amount LoanTerms::read(Field field) const
{
    const Amount amount = value(field);
    return amount && std::isfinite(*amount) && *amount >= 0 ? amount : std::nullopt;
}

void LoanTerms::set(Field field, Amount amount)
{
    m_values[at(field)] = shown(amount, keptDecimals(field));
}

int LoanTerms::shownDecimals(Field field) const
{
    const Amount number = value(field);
    if (field == AnnualRate && number && shown(number, decimals(field)) != number)
        return 4;
    return decimals(field);
}

int LoanTerms::periodsPerYearIndex() const
{
    // Only the weekly and bi-weekly frequencies have a choice of year length; the others are written with index 0,
    // the index whose label the summary shows for them.
    return hasYearLengthChoice(m_frequency) ? std::max(m_yearLengthChoice, 0) : 0;
}

double LoanTerms::periodsPerYear() const
{
    return periodsPerYearValue(m_frequency, periodsPerYearIndex());
}

double LoanTerms::ratePerPeriod() const
{
    const Amount rate = read(AnnualRate);
    if (!rate)
        throw ArithmeticError(ArithmeticError::Kind::InvalidArgument, "No rate");
    return engine::periodicRate(*rate / 100, periodsPerYear(), m_loanType, m_compounding);
}

std::optional<double> LoanTerms::periodicRate() const
{
    return attempt([this] { return ratePerPeriod(); });
}

// ---------------------------------------------------------------------------------------------------------------
// Opening

LoanTerms LoanTerms::forNewDocument(int compounding, int startPaymentOption, Date today)
{
    LoanTerms terms;
    // The setting is the user's file: a code the list does not offer would leave the list without a choice.
    terms.m_compounding = compoundingPosition(kMortgageLoan, compounding) >= 0 ? compounding : 0;
    terms.m_dates = LoanDates::forNewLoan(startPaymentOption, terms.m_frequency, today);
    return terms;
}

LoanTerms LoanTerms::fromDocument(const LoanDocument &doc, Date today)
{
    LoanTerms terms;
    terms.m_compounding = doc.gintCompounding;
    terms.m_loanType = doc.gintLoanType == kPersonalLoan ? kPersonalLoan : kMortgageLoan;
    terms.m_title = doc.gstrTitle;
    terms.m_comments = doc.gstrComments;

    terms.set(PurchasePrice, doc.gvarPurchasePrice);
    terms.m_downPaymentInPercent = doc.gintDownPaymentUnit != 0;
    terms.set(terms.m_downPaymentInPercent ? DownPaymentPercent : DownPaymentDollars, doc.gvarDownPayment);
    terms.deriveDownPayment();
    terms.set(Cmhc, doc.gvarCMHC);
    terms.m_cmhcGiven = doc.gvarCMHC.has_value();
    terms.set(AmountBorrowed, doc.gvarAmountBorrowed);
    // The file does not keep the amount borrowed: a reopened loan shows it again from what the file keeps. Nothing
    // has changed, so it does not replace the loan amount.
    if (!doc.gvarAmountBorrowed)
        terms.deriveAmountBorrowed();

    terms.set(LoanAmount, doc.gdblLoanAmount);
    terms.m_frequency = frequencyPosition(doc.gintFreqOfInst) >= 0 ? doc.gintFreqOfInst : kMonthly;
    // The list keeps the user's year length even while a frequency that has no use for it is chosen.
    const int index =
        hasYearLengthChoice(terms.m_frequency) ? doc.gintPeriodsPerYearIndex : doc.gintPeriodsPerYearIndexTmp;
    terms.m_yearLengthChoice = std::clamp(index, 0, 2);
    terms.set(AnnualRate, doc.gdblAnnualRate * 100);
    terms.m_amortUnit = doc.gintAmortUnit == kMonths ? kMonths : kYears;
    terms.set(Amortization, doc.glngAmortization);
    terms.set(BasicPayment, doc.gdblBasicPayment);
    terms.m_roundInterestEachPeriod = doc.roundInterestEachPeriod;

    terms.m_dates = LoanDates::fromDocument(doc.gintStartPayment, doc.gdtmFirstPaymentDue, doc.gdtmStartDate,
                                            terms.m_frequency, today);

    const double periods =
        attempt([&] { return double(toInt32(std::clamp(doc.mdblNperTerm, 0.0, double(kMaxPeriods)))); }).value_or(0);
    terms.set(NumberOfPeriods, periods > 0 ? Amount(periods) : std::nullopt);
    return terms;
}

// ---------------------------------------------------------------------------------------------------------------
// Step 1

bool LoanTerms::setLoanType(int loanType)
{
    if (loanType == m_loanType)
        return false;
    m_loanType = loanType;
    m_loanDataChanged = true;
    m_compoundingChanged = true;
    return true;
}

bool LoanTerms::setCompounding(int code)
{
    if (code < 0 || code == m_compounding)
        return false;
    m_compounding = code;
    m_loanDataChanged = true;
    m_compoundingChanged = true;
    return true;
}

// ---------------------------------------------------------------------------------------------------------------
// Step 2

void LoanTerms::setTitle(std::string title)
{
    m_title = std::move(title);
    m_titleChanged = true;
}

void LoanTerms::setComments(std::string comments)
{
    m_comments = std::move(comments);
    m_titleChanged = true;
}

LoanTerms::Fields LoanTerms::deriveDownPayment()
{
    const Amount price = read(PurchasePrice);
    if (m_downPaymentInPercent) {
        const Amount percent = read(DownPaymentPercent);
        Amount dollars;
        if (price && percent) {
            const double amount = roundToDigits(*price * *percent / 100, 2);
            if (amount <= kMaxWholeAmount)
                dollars = amount;
        }
        set(DownPaymentDollars, dollars);
        return DownPaymentDollars;
    }
    const Amount dollars = read(DownPaymentDollars);
    Amount percent;
    if (price && *price > 0 && dollars) {
        const double share = roundToDigits(*dollars / *price * 100, 4);
        if (share <= kMaxPercent)
            percent = share;
    }
    set(DownPaymentPercent, percent);
    return DownPaymentPercent;
}

LoanTerms::Fields LoanTerms::deriveCmhc()
{
    // A premium the user gave stays; otherwise it follows the down payment.
    if (m_cmhcGiven)
        return 0;
    const Amount percent = read(DownPaymentPercent);
    set(Cmhc, percent ? Amount(cmhcPremium(*percent)) : std::nullopt);
    return Cmhc;
}

LoanTerms::Fields LoanTerms::deriveAmountBorrowed()
{
    Amount borrowed;
    if (const Amount price = read(PurchasePrice)) {
        const double down = read(DownPaymentDollars).value_or(0);
        const double premium = read(Cmhc).value_or(0);
        const double amount = roundToDigits((*price - down) * (1 + premium / 100), 2);
        if (amount >= 0 && amount <= kMaxWholeAmount)
            borrowed = amount;
    }
    set(AmountBorrowed, borrowed);
    return AmountBorrowed;
}

LoanTerms::Fields LoanTerms::deriveOptionalInformation()
{
    m_loanDataChanged = true;
    m_amountBorrowedChanged = true;
    const Fields down = deriveDownPayment();
    const Fields premium = deriveCmhc();
    return down | premium | deriveAmountBorrowed();
}

LoanTerms::Fields LoanTerms::setPurchasePrice(Amount price)
{
    m_values[at(PurchasePrice)] = price;
    return deriveOptionalInformation();
}

LoanTerms::Fields LoanTerms::setDownPaymentPercent(Amount percent)
{
    m_values[at(DownPaymentPercent)] = percent;
    m_downPaymentInPercent = true;
    return deriveOptionalInformation();
}

LoanTerms::Fields LoanTerms::setDownPaymentDollars(Amount dollars)
{
    m_values[at(DownPaymentDollars)] = dollars;
    m_downPaymentInPercent = false;
    return deriveOptionalInformation();
}

LoanTerms::Fields LoanTerms::setCmhc(Amount premium, bool given)
{
    m_values[at(Cmhc)] = premium;
    m_cmhcGiven = given;
    m_loanDataChanged = true;
    m_amountBorrowedChanged = true;
    return deriveAmountBorrowed();
}

LoanTerms::Fields LoanTerms::setAmountBorrowed(Amount amount)
{
    m_values[at(AmountBorrowed)] = amount;
    m_loanDataChanged = true;
    m_amountBorrowedChanged = true;
    return 0;
}

// ---------------------------------------------------------------------------------------------------------------
// Step 3

LoanTerms::Fields LoanTerms::solve()
{
    const Amount amount = read(LoanAmount);
    const Amount rate = read(AnnualRate);
    const Amount length = read(Amortization);
    const Amount payment = read(BasicPayment);
    Amount result;
    try {
        switch (m_calculated) {
        case CalculatedField::LoanAmount:
            if (rate && length && payment) {
                const double periods = lengthToPeriods(*length, m_amortUnit, m_frequency);
                const double pv = roundToDigits(presentValue(ratePerPeriod(), periods, -*payment), 2);
                if (periods > 0 && pv >= 0.01 && pv <= kMaxAmount)
                    result = pv;
            }
            break;
        case CalculatedField::InterestRate:
            if (amount && length && payment && *amount > 0 && *payment > 0) {
                const double periods = lengthToPeriods(*length, m_amortUnit, m_frequency);
                if (periods <= 0)
                    break;
                const double i = rateForPayment(periods, *payment, *amount, kMaxPercent);
                // The search ends at a bound when no rate up to the limit gives the payment (a payment too low to
                // repay the amount even without interest, or one that needs a higher rate): nothing to show.
                if (std::abs(levelPayment(i, periods, -*amount) - *payment) > 0.005)
                    break;
                // A personal loan compounds monthly whatever its code says; converting its solved rate with its own
                // code (0, semi-annual) would show a rate that does not give back the payment.
                const int compounding = m_loanType == kPersonalLoan ? 1 : m_compounding;
                const double annual = annualRateFromPeriodicRate(i, periodsPerYear(), compounding);
                if (annual * 100 <= kMaxPercent)
                    result = annual * 100;
            }
            break;
        case CalculatedField::Amortization:
            if (amount && rate && payment) {
                const double n = nper(ratePerPeriod(), -*payment, *amount);
                const double converted = roundToDigits(periodsToLength(n, m_amortUnit, m_frequency, kNoDate), 4);
                if (converted >= 0.1 && converted <= kMaxAmortization)
                    result = converted;
            }
            break;
        case CalculatedField::BasicPayment:
            if (amount && rate && length) {
                const double periods = lengthToPeriods(*length, m_amortUnit, m_frequency);
                if (periods <= 0)
                    break;
                const double level = roundToDigits(levelPayment(ratePerPeriod(), periods, -*amount), 2);
                if (level <= kMaxAmount)
                    result = level;
            }
            break;
        }
    } catch (const ArithmeticError &) {
        result.reset();
    }

    Field field = BasicPayment;
    switch (m_calculated) {
    case CalculatedField::LoanAmount:
        field = LoanAmount;
        break;
    case CalculatedField::InterestRate:
        field = AnnualRate;
        break;
    case CalculatedField::Amortization:
        field = Amortization;
        break;
    case CalculatedField::BasicPayment:
        break;
    }
    const Amount before = value(field);
    set(field, result);
    // A new amount, rate or amortization is another number of periods; the payment is not.
    if (field != BasicPayment && before != value(field))
        m_loanInputsChanged = true;
    return field;
}

LoanTerms::Fields LoanTerms::recomputeBasicPayment()
{
    const Amount amount = read(LoanAmount);
    const Amount length = read(Amortization);
    if (!amount || !length || !read(AnnualRate))
        return 0;
    try {
        const double periods = lengthToPeriods(*length, m_amortUnit, m_frequency);
        if (periods <= 0)
            return 0;
        const double level = roundToDigits(levelPayment(ratePerPeriod(), periods, -*amount), 2);
        set(BasicPayment, level <= kMaxAmount ? Amount(level) : std::nullopt);
    } catch (const ArithmeticError &) {
        set(BasicPayment, std::nullopt);
    }
    return BasicPayment;
}

// The payment of the old frequency carried into the new one; the amortization then follows from it.
LoanTerms::Fields LoanTerms::carryPaymentOver(int fromFrequency)
{
    const Amount payment = read(BasicPayment);
    if (!payment)
        return solve();
    Amount carried;
    try {
        const Amount amount = read(LoanAmount);
        const Amount length = read(Amortization);
        const Amount rate = read(AnnualRate);
        if (m_frequency == kAnnually && amount && length && rate) {
            // One payment a year: the level payment at the effective annual rate over the years of amortization.
            const double years = m_amortUnit == kMonths ? *length / 12 : *length;
            const double effective = engine::periodicRate(*rate / 100, 1, m_loanType, m_compounding);
            carried = levelPayment(effective, years, -*amount);
        } else {
            carried = equivalentPayment(*payment, fromFrequency, m_frequency);
        }
        carried = roundToDigits(*carried, 2);
        if (*carried > kMaxAmount)
            carried.reset();
    } catch (const ArithmeticError &) {
        carried.reset();
    }
    set(BasicPayment, carried);
    if (carried && read(LoanAmount) && read(AnnualRate))
        return BasicPayment | amortizationFromPayment();
    return BasicPayment | solve();
}

// The amortization that the payment gives at the current rate (the number of periods, in the amortization unit).
LoanTerms::Fields LoanTerms::amortizationFromPayment()
{
    const Amount length = attempt([this]() -> double {
        const double n = nper(ratePerPeriod(), -read(BasicPayment).value_or(0), read(LoanAmount).value_or(0));
        const double converted = roundToDigits(periodsToLength(n, m_amortUnit, m_frequency, kNoDate), 4);
        if (converted >= 0.1 && converted <= kMaxAmortization)
            return converted;
        throw ArithmeticError(ArithmeticError::Kind::InvalidArgument, "Amortization out of range");
    });
    set(Amortization, length);
    if (m_calculated == CalculatedField::LoanAmount || m_calculated == CalculatedField::InterestRate)
        return Amortization | solve();
    return Amortization;
}

LoanTerms::Fields LoanTerms::setLoanAmount(Amount amount)
{
    m_values[at(LoanAmount)] = amount;
    m_loanDataChanged = true;
    m_loanInputsChanged = true;
    return solve();
}

LoanTerms::Fields LoanTerms::setAnnualRate(Amount percent)
{
    m_values[at(AnnualRate)] = percent;
    m_loanDataChanged = true;
    m_loanInputsChanged = true;
    return solve();
}

LoanTerms::Fields LoanTerms::setAmortization(Amount length)
{
    m_values[at(Amortization)] = length;
    m_loanDataChanged = true;
    m_loanInputsChanged = true;
    return solve();
}

LoanTerms::Fields LoanTerms::setBasicPayment(Amount payment)
{
    m_values[at(BasicPayment)] = payment;
    m_loanDataChanged = true;
    return solve();
}

bool LoanTerms::setRoundInterestEachPeriod(bool round)
{
    if (round == m_roundInterestEachPeriod)
        return false;
    m_roundInterestEachPeriod = round;
    m_loanDataChanged = true;
    return true;
}

LoanTerms::Fields LoanTerms::setAmortUnit(int unit)
{
    if (unit == m_amortUnit)
        return 0;
    m_amortUnit = unit;
    m_loanDataChanged = true;
    m_loanInputsChanged = true;
    Fields written = 0;
    // The same length in the other unit, so that choosing the unit does not change the loan.
    if (const Amount length = read(Amortization)) {
        const double converted = roundToDigits(unit == kMonths ? *length * 12 : *length / 12, 4);
        set(Amortization, converted <= kMaxAmortization ? Amount(converted) : std::nullopt);
        written = Amortization;
    }
    return written | solve();
}

std::shared_ptr<const LoanTerms> LoanTerms::snapshot() const
{
    auto copy = std::make_shared<LoanTerms>(*this);
    copy->m_lookedFrom.reset();
    copy->m_lookedAt.reset();
    return copy;
}

LoanTerms::Fields LoanTerms::setFrequency(int code)
{
    if (code < 0 || code == m_frequency)
        return 0;
    // Each frequency is worked out from the loan the user entered, not from the one the previous frequency made of
    // it, so that rounding does not creep in from one look to the next. Any other edit ends the looking.
    if (!m_lookedFrom || !m_lookedAt || held() != m_lookedAt->held())
        m_lookedFrom = snapshot();
    const std::shared_ptr<const LoanTerms> from = m_lookedFrom;
    *this = *from;
    if (code == m_frequency)
        return kAllFields;
    m_lookedFrom = from;
    m_frequency = code;
    m_loanDataChanged = true;
    // The same amortization is another number of periods at another frequency.
    m_loanInputsChanged = true;
    // An accelerated payment is a share of the monthly one: the payment carries over and the amortization shortens.
    const Fields written =
        isAccelerated(from->m_frequency) || isAccelerated(code) ? carryPaymentOver(from->m_frequency) : solve();
    m_dates.follow(m_frequency);
    m_lookedAt = snapshot();
    return written | LoanAmount | AnnualRate | Amortization | BasicPayment;
}

LoanTerms::Fields LoanTerms::setYearLengthChoice(int index)
{
    m_yearLengthChoice = index;
    m_loanDataChanged = true;
    return solve();
}

LoanTerms::Fields LoanTerms::setCalculatedField(CalculatedField field)
{
    m_calculated = field;
    return solve();
}

// ---------------------------------------------------------------------------------------------------------------
// Step 4

void LoanTerms::setStartPaymentOption(int option)
{
    if (m_dates.setOption(option, m_frequency))
        m_loanDataChanged = true;
}

bool LoanTerms::setStartDate(Date date)
{
    const LoanDates before = m_dates;
    const bool accepted = m_dates.setStart(date, m_frequency);
    m_loanDataChanged = m_loanDataChanged || m_dates != before;
    return accepted;
}

void LoanTerms::setFirstPaymentDue(Date date)
{
    const LoanDates before = m_dates;
    m_dates.setFirstPaymentDue(date, m_frequency);
    m_loanDataChanged = m_loanDataChanged || m_dates != before;
}

void LoanTerms::setNumberOfPeriods(Amount periods)
{
    m_values[at(NumberOfPeriods)] = periods;
    m_loanDataChanged = true;
}

LoanTerms::Term LoanTerms::term() const
{
    return m_dates.term(read(NumberOfPeriods).value_or(0), m_frequency);
}

// ---------------------------------------------------------------------------------------------------------------
// Steps

// The amount borrowed and a changed compounding are carried over here whichever step came before, so that skipping
// the optional step does not leave a stale payment behind.
LoanTerms::Fields LoanTerms::enterLoanData()
{
    Fields written = 0;
    bool changed = false;
    // A calculated loan amount follows from the other three fields, so the amount borrowed does not replace it.
    if (m_amountBorrowedChanged && read(AmountBorrowed) && m_calculated != CalculatedField::LoanAmount) {
        const double borrowed = *read(AmountBorrowed);
        set(LoanAmount, borrowed >= 0.01 && borrowed < kMaxAmount ? Amount(borrowed) : std::nullopt);
        written |= LoanAmount;
        m_loanInputsChanged = true;
        changed = true;
    }
    if (m_compoundingChanged) {
        written |= recomputeBasicPayment();
        changed = true;
    }
    m_amountBorrowedChanged = false;
    m_compoundingChanged = false;
    if (changed)
        written |= solve();
    return written;
}

LoanTerms::Fields LoanTerms::enterTerm()
{
    if (!m_loanInputsChanged)
        return 0;
    // The whole number of periods that covers the amortization, so that the last payment clears the loan.
    const Amount periods = attempt([this]() -> double {
        const Amount length = read(Amortization);
        if (!length)
            return 0;
        const double n = lengthToPeriods(*length, m_amortUnit, m_frequency);
        return n > 0 ? roundUpToDigits(n, 0) : 0;
    });
    set(NumberOfPeriods, periods && *periods >= 1 && *periods <= kMaxPeriods ? periods : std::nullopt);
    m_loanInputsChanged = false;
    return NumberOfPeriods;
}

bool LoanTerms::loanDataComplete() const
{
    return read(LoanAmount) && read(AnnualRate) && read(Amortization) && read(BasicPayment);
}

bool LoanTerms::termComplete() const
{
    const Amount periods = read(NumberOfPeriods);
    return periods && *periods >= 1 && term().lastPaymentDue != kNoDate;
}

// ---------------------------------------------------------------------------------------------------------------
// Finish

LoanTerms::FinishResult LoanTerms::writeTo(LoanDocument &doc, bool existing) const
{
    FinishResult result;
    if (!loanDataComplete() || !termComplete())
        return result;
    const double amount = *read(LoanAmount);
    const double rate = *read(AnnualRate);
    const double length = *read(Amortization);
    const double periods = *read(NumberOfPeriods);

    if (m_titleChanged) {
        doc.gstrTitle = m_title;
        doc.gstrComments = m_comments;
        result.titleWritten = true;
    }
    if (!m_loanDataChanged && existing) {
        result.outcome = Outcome::Unchanged;
        return result;
    }

    const Date anchor = anchorDate();
    const Date last = term().lastPaymentDue;
    if (anchor != doc.gdtmFirstPaymentDue) {
        doc.ClearHiddenGrids();
    } else if (periods != doc.mdblNperTerm) {
        doc.gdtmLastPaymentDue = last;
        doc.CropHiddenGrids();
    }

    doc.gintLoanType = m_loanType;
    doc.gintCompounding = m_compounding;
    doc.gstrTitle = m_title;
    doc.gstrComments = m_comments;
    doc.gvarPurchasePrice = read(PurchasePrice);
    doc.gintDownPaymentUnit = m_downPaymentInPercent ? -1 : 0;
    doc.gvarDownPayment = read(m_downPaymentInPercent ? DownPaymentPercent : DownPaymentDollars);
    doc.gvarCMHC = read(Cmhc);
    doc.gvarAmountBorrowed = read(AmountBorrowed);
    doc.gdblLoanAmount = amount;
    doc.gdblAnnualRate = rate / 100;
    doc.glngAmortization = attempt([&] {
                               return periodsToLength(lengthToPeriods(length, m_amortUnit, m_frequency), m_amortUnit,
                                                      m_frequency, kNoDate);
                           }).value_or(length);
    doc.gintAmortUnit = m_amortUnit;
    doc.gintFreqOfInst = m_frequency;
    doc.gdblBasicPayment = *read(BasicPayment);
    doc.roundInterestEachPeriod = m_roundInterestEachPeriod;
    doc.gdblPeriodicRate = periodicRate().value_or(0);
    doc.gintPeriodsPerYearIndex = periodsPerYearIndex();
    doc.gintPeriodsPerYearIndexTmp = std::max(m_yearLengthChoice, 0);
    doc.gdblPeriodsPerYear = periodsPerYear();
    doc.gintStartPayment = m_dates.option();
    doc.gdtmStartDate = m_dates.start();
    doc.gdtmFirstPaymentDue = anchor;
    doc.mdblNperTerm = periods;
    doc.gdtmLastPaymentDue = last;
    result.outcome = Outcome::Written;
    return result;
}

bool LoanTerms::removeLumpSumsOutsideTerm(LoanDocument &doc) const
{
    // Before the term's last payment is known (a new loan closed early) only the start bounds the entries.
    return removeChangeEntriesOutside(doc.gridLumpSum, m_dates.start(), term().lastPaymentDue);
}

} // namespace engine
