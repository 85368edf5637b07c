#pragma once

#include "engine/ChangeTables.h"
#include "engine/TextTable.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace engine {
struct LoanDocument;
class NumberFormat;
} // namespace engine
namespace ui {
class DateField;
class MoneyFieldValidator;
} // namespace ui

namespace views {

class ShellServices;

// A document's whole list of lump sums at once. The dialog edits a copy and hands it to the document, with one
// calculation, only when OK finds it changed. Opening it drops the lump sums outside the schedule from the document,
// whatever the user does next.
class frmLumpSums : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char *kOutOfRangeMessage = "Date is out of range";

    // Opens on the schedule grid's row `gridRow` (row 0 shows the schedule's first row; -1 for none).
    frmLumpSums(engine::LoanDocument &loan, ShellServices &document, int gridRow, const engine::NumberFormat &format,
                QWidget *parent = nullptr);
    ~frmLumpSums() override;

    QTableWidget *gridLumpSum2() const { return m_gridLumpSum2; }
    ui::DateField *txtLumpSumDate() const { return m_txtLumpSumDate; }
    QLineEdit *txtLumpSumAmount() const { return m_txtLumpSumAmount; }
    QPushButton *cmdAdd() const { return m_cmdAdd; }
    QPushButton *cmdRemove() const { return m_cmdRemove; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }
    // The list as edited so far.
    const engine::TextTable &list() const { return m_list; }

public slots:
    void txtLumpSumDate_Change();
    void txtLumpSumAmount_Change();
    void gridLumpSum2_Click();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load(int gridRow);
    // The list again from the copy, with the entry shown at `selectedRow` (-1: none) selected.
    void showList(int selectedRow);
    void showDate();
    void showAmount();
    void updateButtons();

    engine::LoanDocument &m_loan;
    ShellServices &m_document;
    const engine::NumberFormat &m_format;
    engine::TextTable m_list;
    std::optional<engine::DateRange> m_range;
    engine::Date m_date = engine::kNoDate; // 0: none
    double m_amount = 0; // 0: none
    bool m_showing = false; // the fields are being filled, not typed in

    QTableWidget *m_gridLumpSum2 = nullptr;
    ui::DateField *m_txtLumpSumDate = nullptr;
    QLineEdit *m_txtLumpSumAmount = nullptr;
    ui::MoneyFieldValidator *m_amountValidator = nullptr;
    QPushButton *m_cmdAdd = nullptr;
    QPushButton *m_cmdRemove = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

} // namespace views
