#pragma once

#include "document/ColumnChooser.h"
#include "engine/Preferences.h"

#include <QDate>
#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace engine {
class NumberFormat;
}
namespace ui {
class UserDialogs;
}

namespace views {

class ShellServices;

// Which schedule columns the active document shows and in what order, and the display preferences of every window.
// Nothing is applied here: OK leaves the choices for the program to apply. Moving a column marks the document
// modified at once, as the user has rearranged it.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    using Clock = std::function<QDate()>;

    // Opens on tab `tab` (0 or 1); `today` gives the sample date (none: the system's date).
    frmOptions(const document::ColumnProperties &columns, const engine::Preferences &preferences, int tab,
               const engine::NumberFormat &format, const Clock &today, ui::UserDialogs &dialogs,
               ShellServices &document, QWidget *parent = nullptr);

    QTabWidget *tbsOptions() const { return m_tbsOptions; }
    QListWidget *List1() const { return m_List1; }
    QListWidget *List2() const { return m_List2; }
    QPushButton *cmdUp() const { return m_cmdUp; }
    QPushButton *cmdDown() const { return m_cmdDown; }
    QPushButton *cmdLeft() const { return m_cmdLeft; }
    QPushButton *cmdRight() const { return m_cmdRight; }
    QComboBox *cboDateFormat() const { return m_cboDateFormat; }
    QLineEdit *txtDateFormatSample() const { return m_txtDateFormatSample; }
    QCheckBox *chkScrollTrack() const { return m_chkScrollTrack; }
    QSpinBox *txtInterval() const { return m_txtInterval; }
    QLabel *txtColor() const { return m_txtColor; }
    QPushButton *cmdColor() const { return m_cmdColor; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }

    // The tab shown, to open on next time.
    int tab() const;
    // The preferences as chosen.
    engine::Preferences preferences() const;
    // The column positions as the lists have them.
    void applyColumns(document::ColumnProperties &columns) const { m_chooser.applyTo(columns); }

public slots:
    void List1_DblClick();
    void List2_DblClick();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdLeft_Click();
    void cmdRight_Click();
    void cboDateFormat_Click();
    void cmdColor_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    QWidget *columnsPage();
    QWidget *formattingPage();
    // Both lists again from the chooser, with one item selected in `list` (-1: none).
    void showLists(QListWidget *list, int selected);
    void showColor();
    // A move happened (or not): the lists follow, and the document is marked modified.
    void moved(QListWidget *list, std::optional<int> selected);

    const document::ColumnProperties &m_columns;
    const engine::NumberFormat &m_format;
    Clock m_today;
    ui::UserDialogs &m_dialogs;
    ShellServices &m_document;
    document::ColumnChooser m_chooser;
    int m_color = 0;

    QTabWidget *m_tbsOptions = nullptr;
    QListWidget *m_List1 = nullptr;
    QListWidget *m_List2 = nullptr;
    QPushButton *m_cmdUp = nullptr;
    QPushButton *m_cmdDown = nullptr;
    QPushButton *m_cmdLeft = nullptr;
    QPushButton *m_cmdRight = nullptr;
    QComboBox *m_cboDateFormat = nullptr;
    QLineEdit *m_txtDateFormatSample = nullptr;
    QCheckBox *m_chkScrollTrack = nullptr;
    QSpinBox *m_txtInterval = nullptr;
    QLabel *m_txtColor = nullptr;
    QPushButton *m_cmdColor = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

} // namespace views
