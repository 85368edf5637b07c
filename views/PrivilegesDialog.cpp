#include "PrivilegesDialog.h"

#include "engine/LoanComparison.h"
#include "engine/LoanDocument.h"
#include "engine/Prepayment.h"
#include "ui/DialogButton.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace views {

PrivilegesDialog::PrivilegesDialog(const engine::LoanDocument &loan, const engine::NumberFormat &format,
                                   QWidget *parent)
    : QDialog(parent)
    , m_text(engine::privilegeTable(engine::privilegeYears(loan), &format))
{
    setObjectName(QStringLiteral("PrivilegesDialog"));
    setWindowTitle(tr("Prepayment Privileges"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const int columns = m_text.empty() ? 0 : int(m_text.front().size());
    const int rows = m_text.empty() ? 0 : int(m_text.size()) - 1;
    m_table = new QTableWidget(rows, columns);
    m_table->setObjectName(QStringLiteral("gridPrivileges"));
    QStringList headers;
    for (int c = 0; c < columns; ++c)
        headers << QString::fromStdString(m_text.front()[std::size_t(c)]);
    m_table->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto *item = new QTableWidgetItem(QString::fromStdString(m_text[std::size_t(r) + 1][std::size_t(c)]));
            if (c >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
    }
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->setMinimumSize(620, 320);
    m_table->setAccessibleName(tr("Privilege years"));
    auto *copyKey = new QShortcut(QKeySequence::Copy, m_table, this, &PrivilegesDialog::copy);
    copyKey->setContext(Qt::WidgetShortcut);
    auto *label = new QLabel(tr("&Privilege years:"));
    label->setBuddy(m_table);

    m_copy = ui::dialogButton(tr("C&opy"), "cmdCopy");
    QPushButton *close = ui::dialogButton(tr("Close"), "cmdClose");
    close->setDefault(true);
    connect(m_copy, &QPushButton::clicked, this, &PrivilegesDialog::copy);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
}

QString PrivilegesDialog::tableText() const
{
    return QString::fromStdString(engine::delimitedText(m_text, '\t'));
}

void PrivilegesDialog::copy()
{
    QGuiApplication::clipboard()->setText(tableText());
}

} // namespace views
