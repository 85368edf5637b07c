#pragma once

#include "engine/Scenario.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class CTravinaCtrl;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace engine {
class NumberFormat;
}
namespace print {
class PageSurface;
}
namespace ui {
class UserDialogs;
}

namespace scenario {

struct ScenarioLayout;
class ScenarioTableModel;

// The main window's commands that the scenario's menus offer as they are.
struct SharedCommands
{
    QAction *newDocument = nullptr;
    QAction *open = nullptr;
    QAction *close = nullptr;
    QList<QAction *> recentFiles;
    QAction *exit = nullptr;
    QAction *toolbar = nullptr;
    QAction *statusBar = nullptr;
    QList<QAction *> window;
    QAction *contents = nullptr;
    QAction *about = nullptr;
};

// What the window needs of the program around it besides the commands: the print dialog, and a message box titled
// as the program's are.
struct ScenarioServices
{
    ui::UserDialogs *dialogs = nullptr;
    std::function<void(const QString &)> showMessage;
};

// The what-if calculator: a loan typed in, the payment it takes, and how every payment frequency compares. A view
// over engine::Scenario that belongs to no document; its contents sit in a scrolling container of their own.
class frmScenario : public QWidget
{
    Q_OBJECT

public:
    // `compounding` is the code last chosen in the wizard.
    frmScenario(const engine::NumberFormat &format, int compounding, const SharedCommands &commands,
                ScenarioServices services, QWidget *parent = nullptr);
    ~frmScenario() override;

    const engine::Scenario &values() const { return m_scenario; }
    // File, Edit, View, Window and Help: the menu bar while this window is active.
    QList<QMenu *> menus() const { return m_menus; }
    QMenu *fileMenu() const { return m_menus.value(0); }
    QMenu *editMenu() const { return m_menus.value(1); }
    QMenu *windowMenu() const { return m_menus.value(3); }
    QAction *printAction() const { return m_print; }
    QAction *copyAction() const { return m_copy; }
    QAction *pasteAction() const { return m_paste; }

    CTravinaCtrl *Travina1() const { return m_container; }
    QWidget *fraContainer() const { return m_frame; }
    // The table's title; the printout's title takes its font.
    QLabel *lblTitle() const { return m_lblTitle; }
    QLineEdit *txtLoanAmount() const { return m_txtLoanAmount; }
    QLineEdit *txtAnnualRate() const { return m_txtAnnualRate; }
    QComboBox *cboCompounding() const { return m_cboCompounding; }
    QLineEdit *txtAmortization() const { return m_txtAmortization; }
    QComboBox *cboAmortUnit() const { return m_cboAmortUnit; }
    QComboBox *cboFrequency() const { return m_cboFrequency; }
    QLineEdit *txtPayment() const { return m_txtPayment; }
    QComboBox *cboDaysInYear() const { return m_cboDaysInYear; }
    QLineEdit *txtTerm() const { return m_txtTerm; }
    QComboBox *cboTermUnit() const { return m_cboTermUnit; }
    // The comparison table, and the text of one of its figures: row by frequency code, column by
    // engine::ScenarioColumn.
    QTableView *results() const { return m_results; }
    QString cellText(int row, int column) const;
    // The cells chosen in the table, a line per row and a tab between cells; empty when none is.
    QString selectedResults() const;
    // The field Copy and Paste act on: the one that last had the focus.
    QLineEdit *activeField() const { return m_activeField; }

    // Where the window shows its texts and the table's figures, for the printout.
    ScenarioLayout printLayout() const;

    // The payment field's background for each payment state.
    static QColor paymentColor(engine::PaymentState state);

    QSize sizeHint() const override;

public slots:
    void Form_Resize();
    void txtLoanAmount_Change();
    void txtAnnualRate_Change();
    void cboCompounding_Click();
    void txtAmortization_Change();
    void cboAmortUnit_Click();
    void cboFrequency_Click();
    void txtPayment_Change();
    void cboDaysInYear_Click();
    void txtTerm_Change();
    void cboTermUnit_Click();
    void mnuFilePrint_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void createControls();
    void createMenus(const SharedCommands &commands);
    void updateEditMenu();
    std::optional<double> fieldValue(const QLineEdit *field) const;
    // The payment and its colour, written without running the payment handler again.
    void showPayment(bool rewriteText);
    void showTable();
    // The table's columns wide enough for their figures and headings, and the table as big as all of them.
    void fitResults();
    void copyResults();
    // The print dialog for the pages built on `surface`, then the pages chosen; nothing when it is cancelled.
    void PrintScenario(print::PageSurface &surface);

    engine::Scenario m_scenario;
    const engine::NumberFormat &m_format;
    ScenarioServices m_services;
    // Set while the window writes the payment field itself.
    bool m_recalculating = false;

    CTravinaCtrl *m_container = nullptr;
    QWidget *m_frame = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLineEdit *m_txtLoanAmount = nullptr;
    QLineEdit *m_txtAnnualRate = nullptr;
    QComboBox *m_cboCompounding = nullptr;
    QLineEdit *m_txtAmortization = nullptr;
    QComboBox *m_cboAmortUnit = nullptr;
    QComboBox *m_cboFrequency = nullptr;
    QLineEdit *m_txtPayment = nullptr;
    QComboBox *m_cboDaysInYear = nullptr;
    QLineEdit *m_txtTerm = nullptr;
    QComboBox *m_cboTermUnit = nullptr;
    QTableView *m_results = nullptr;
    ScenarioTableModel *m_resultsModel = nullptr;
    QPointer<QLineEdit> m_activeField;

    QList<QMenu *> m_menus;
    QAction *m_recentSeparator = nullptr;
    QList<QAction *> m_recentFiles;
    QAction *m_print = nullptr;
    QAction *m_undo = nullptr;
    QAction *m_cut = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;
};

} // namespace scenario
