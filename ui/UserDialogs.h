#pragma once

#include <QColor>
#include <QString>

#include <memory>
#include <optional>

class QMessageBox;
class QPrinter;
class QWidget;

namespace ui {

// Every message box and common dialog of the program goes through here, so that tests can answer them.
class UserDialogs
{
public:
    enum Button { Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };
    enum class Icon { Information, Warning, Critical, Question };

    // What the print dialog offers besides the printer: pages first..last, and "Selection" when asked.
    struct PrintPages
    {
        int first = 1;
        int last = 1;
        bool selection = false;
    };

    virtual ~UserDialogs() = default;
    // Shows a message and returns the button chosen (Cancel when the box is closed otherwise).
    virtual Button message(QWidget *parent, const QString &title, const QString &text, int buttons, Icon icon) = 0;
    // A file to open, or an empty text when cancelled.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &folder, const QString &filter) = 0;
    // A file to save to, proposed name first; an empty text when cancelled. The dialog asks before overwriting.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &proposed, const QString &filter) = 0;
    // A colour, starting from `initial`; nothing when cancelled.
    virtual std::optional<QColor> color(QWidget *parent, const QString &title, const QColor &initial) = 0;
    // The print dialog over `printer`, which takes the choices (the printer, the pages, the copies, which its driver
    // handles); false when cancelled. Printing to a file is not offered.
    virtual bool print(QWidget *parent, QPrinter &printer, const PrintPages &pages) = 0;
    // The printer's page set-up dialog over `printer`; false when cancelled.
    virtual bool pageSetup(QWidget *parent, QPrinter &printer) = 0;
    // The about box.
    virtual void about(QWidget *parent, const QString &title, const QString &text) = 0;
    // A message whose accepting button names what it does (`action`, with its access key) beside Cancel; true when
    // that button is chosen. Here as message() with OK and Cancel.
    virtual bool confirm(QWidget *parent, const QString &title, const QString &text, const QString &action, Icon icon);
    // Whether the system has a printer set up to print on.
    virtual bool printerConfigured();
};

// `text` as a message box shows it on one line wherever it can: its spaces made no-break spaces and a word joiner at
// each other place a line could break (after a hyphen, say), so that a file name quoted in a message is not split
// over two lines.
QString keptOnOneLine(const QString &text);

// The platform's own dialogs.
class QtUserDialogs : public UserDialogs
{
public:
    Button message(QWidget *parent, const QString &title, const QString &text, int buttons, Icon icon) override;
    QString openFile(QWidget *parent, const QString &title, const QString &folder, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &proposed, const QString &filter) override;
    std::optional<QColor> color(QWidget *parent, const QString &title, const QColor &initial) override;
    bool print(QWidget *parent, QPrinter &printer, const PrintPages &pages) override;
    bool pageSetup(QWidget *parent, QPrinter &printer) override;
    // The about box shows the program's own words only, formatted.
    void about(QWidget *parent, const QString &title, const QString &text) override;
    bool confirm(QWidget *parent, const QString &title, const QString &text, const QString &action, Icon icon) override;

    // The box message() shows: the text as plain text, whatever it holds.
    static std::unique_ptr<QMessageBox> messageBox(QWidget *parent, const QString &title, const QString &text,
                                                   int buttons, Icon icon);
};

} // namespace ui
