#include "PrivilegesDialog.h"

#include "ReportTable.h"

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

    m_table = new QTableWidget;
    m_table->setObjectName(QStringLiteral("gridPrivileges"));
    showTextTable(m_table, m_text, 2);
    setUpReportTable(m_table, tr("Privilege years"), this, [this] { copy(); });
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setMinimumSize(620, 320);
    auto *label = new QLabel(tr("&Privilege years:"));
    label->setBuddy(m_table);

    QHBoxLayout *buttons = copyAndCloseButtons(this, m_copy, [this] { copy(); });
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
