#include "ReportTable.h"

#include "ui/DialogButton.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>

namespace views {

void setUpReportTable(QTableWidget *table, const QString &accessibleName, QWidget *owner,
                      const std::function<void()> &copy)
{
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    table->setAccessibleName(accessibleName);
    auto *copyKey = new QShortcut(QKeySequence::Copy, table, owner, copy);
    copyKey->setContext(Qt::WidgetShortcut);
}

void showTextTable(QTableWidget *table, const std::vector<std::vector<std::string>> &text, int rightFrom)
{
    const int columns = text.empty() ? 0 : int(text.front().size());
    const int rows = text.empty() ? 0 : int(text.size()) - 1;
    table->clear();
    table->setRowCount(rows);
    table->setColumnCount(columns);
    QStringList headers;
    for (int c = 0; c < columns; ++c)
        headers << QString::fromStdString(text.front()[std::size_t(c)]);
    table->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto *item = new QTableWidgetItem(QString::fromStdString(text[std::size_t(r) + 1][std::size_t(c)]));
            if (c >= rightFrom)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
}

QHBoxLayout *copyAndCloseButtons(QDialog *dialog, QPushButton *&copyButton, const std::function<void()> &copy)
{
    copyButton = ui::dialogButton(QCoreApplication::translate("views::ReportTable", "C&opy"), "cmdCopy");
    QPushButton *close = ui::dialogButton(QCoreApplication::translate("views::ReportTable", "Close"), "cmdClose");
    close->setDefault(true);
    QObject::connect(copyButton, &QPushButton::clicked, dialog, copy);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(copyButton);
    buttons->addStretch(1);
    buttons->addWidget(close);
    return buttons;
}

void addLabelledRow(QFormLayout *form, const QString &caption, QWidget *field)
{
    auto *text = new QLabel(caption);
    text->setBuddy(field);
    field->setAccessibleName(QString(caption).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    form->addRow(text, field);
}

} // namespace views
