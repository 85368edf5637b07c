#pragma once

#include "engine/Statement.h"
#include "engine/StatementMatch.h"

#include <QDialog>

#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTableWidget;

namespace engine {
struct LoanDocument;
class NumberFormat;
} // namespace engine
namespace ui {
class UserDialogs;
}

namespace views {

class StatementComparisonModel;

// Which conventions and rate reproduce a lender's statement. The statement comes from a file or the clipboard; the
// candidates show ranked, the chosen one's schedule beside the statement with the differing cells marked and, in
// words, what drifts. The dialog changes nothing: Apply accepts it with the chosen candidate's conventions, for the
// caller to give the document.
class MatchStatementDialog : public QDialog
{
    Q_OBJECT

public:
    // Messages are titled `title`; statement files are looked for in `folder` first.
    MatchStatementDialog(const engine::LoanDocument &loan, const engine::NumberFormat &format, ui::UserDialogs &dialogs,
                         const QString &title, const QString &folder, QWidget *parent = nullptr);
    ~MatchStatementDialog() override;

    // Reads and matches a statement; a statement that cannot be read is refused with a message and the one shown
    // before stays. `source` names it ("bank.csv", "the clipboard").
    bool loadStatement(const std::string &text, const QString &source);
    // The candidate whose schedule shows, if any.
    const engine::CandidateResult *chosen() const;
    // What Apply accepted the dialog with.
    const std::optional<engine::Conventions> &applied() const { return m_applied; }

    QTableWidget *candidates() const { return m_candidates; }
    QTableView *comparison() const { return m_comparison; }
    QLabel *words() const { return m_words; }
    QLabel *source() const { return m_source; }
    QPushButton *applyButton() const { return m_apply; }

public slots:
    void loadFromFile();
    void loadFromClipboard();
    void apply();

private:
    void showCandidates();
    void showChosen();
    void refuse(const std::string &message);

    const engine::LoanDocument &m_loan;
    const engine::NumberFormat &m_format;
    ui::UserDialogs &m_dialogs;
    QString m_title;
    QString m_folder;
    engine::Statement m_statement;
    engine::MatchResult m_result;
    std::optional<engine::Conventions> m_applied;

    QLabel *m_source = nullptr;
    QProgressBar *m_progress = nullptr;
    QTableWidget *m_candidates = nullptr;
    QTableView *m_comparison = nullptr;
    StatementComparisonModel *m_model = nullptr;
    QLabel *m_words = nullptr;
    QPushButton *m_apply = nullptr;
};

} // namespace views
