#include "CompareLoansDialog.h"

#include "engine/LoanComparison.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace views {

CompareLoansDialog::CompareLoansDialog(const QList<Entry> &entries, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Compare Loans"));
    auto *prompt = new QLabel(QStringLiteral("Choose from %1 to %2 loans to compare. The first one checked is the one "
                                             "the others are measured against.")
                                  .arg(engine::kFewestComparedLoans)
                                  .arg(engine::kMostComparedLoans),
                              this);
    prompt->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstDocuments"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("Title"), QStringLiteral("File Name")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    const bool checkAll = entries.size() <= qsizetype(engine::kMostComparedLoans);
    for (const Entry &entry : entries) {
        auto *item = new QTreeWidgetItem(m_list, {entry.title, entry.fileName});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(0, checkAll ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(0, entry.title);
        item->setToolTip(1, entry.path);
    }
    m_list->resizeColumnToContents(0);
    m_list->header()->setStretchLastSection(true);
    connect(m_list, &QTreeWidget::itemChanged, this, &CompareLoansDialog::updateOk);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(560, 300);
    updateOk();
}

QList<int> CompareLoansDialog::chosen() const
{
    QList<int> out;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            out << i;
    }
    return out;
}

void CompareLoansDialog::setChecked(int entry, bool checked)
{
    if (QTreeWidgetItem *item = m_list->topLevelItem(entry))
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void CompareLoansDialog::updateOk()
{
    m_ok->setEnabled(engine::canCompare(std::size_t(chosen().size())));
}

} // namespace views
