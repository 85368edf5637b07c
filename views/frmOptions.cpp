#include "frmOptions.h"

#include "ShellServices.h"

#include "engine/NumberFormat.h"
#include "ui/BgrColor.h"
#include "ui/DateField.h"
#include "ui/DialogButton.h"
#include "ui/UserDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace views {

namespace {

QLabel *labelFor(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

frmOptions::frmOptions(const document::ColumnProperties &columns, const engine::Preferences &preferences, int tab,
                       const engine::NumberFormat &format, const Clock &today, ui::UserDialogs &dialogs,
                       ShellServices &document, QWidget *parent)
    : QDialog(parent)
    , m_columns(columns)
    , m_format(format)
    , m_today(today)
    , m_dialogs(dialogs)
    , m_document(document)
    , m_chooser(columns)
    , m_color(preferences.rowIntervalColor)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_tbsOptions = new QTabWidget;
    m_tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    m_tbsOptions->setAccessibleName(tr("Options pages"));
    m_tbsOptions->addTab(columnsPage(), QStringLiteral("Columns Properties"));
    m_tbsOptions->addTab(formattingPage(), QStringLiteral("Formatting"));
    // Ctrl+Tab goes to the next tab from anywhere in the dialog, the last wrapping round to the first.
    auto *nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this,
            [this] { m_tbsOptions->setCurrentIndex((m_tbsOptions->currentIndex() + 1) % m_tbsOptions->count()); });

    m_cmdOK = ui::dialogButton(QStringLiteral("OK"), "cmdOK");
    m_cmdOK->setDefault(true);
    m_cmdCancel = ui::dialogButton(QStringLiteral("Cancel"), "cmdCancel");
    connect(m_cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 12);
    layout->setSpacing(12);
    layout->addWidget(m_tbsOptions, 1);
    layout->addLayout(buttons);

    showLists(m_List1, m_chooser.visible().empty() ? -1 : 0);
    // A format that is not among those offered (a hand-edited setting) stays as it is unless another is chosen.
    const QString current = QString::fromStdString(preferences.dateFormat);
    if (m_cboDateFormat->findText(current) < 0)
        m_cboDateFormat->addItem(current);
    m_cboDateFormat->setCurrentText(current);
    cboDateFormat_Click();
    m_txtInterval->setValue(std::clamp(preferences.rowInterval, 0, engine::kMaxRowInterval));
    m_chkScrollTrack->setChecked(preferences.scrollTrack);
    showColor();
    m_tbsOptions->setCurrentIndex(std::clamp(tab, 0, m_tbsOptions->count() - 1));
    connect(m_cboDateFormat, &QComboBox::currentIndexChanged, this, &frmOptions::cboDateFormat_Click);
}

QWidget *frmOptions::columnsPage()
{
    m_List1 = new QListWidget;
    m_List1->setObjectName(QStringLiteral("List1"));
    m_List2 = new QListWidget;
    m_List2->setObjectName(QStringLiteral("List2"));
    m_List1->setAccessibleName(tr("Visible columns"));
    m_List1->setAccessibleDescription(tr("The columns the schedule shows, in their order."));
    m_List2->setAccessibleName(tr("Hidden columns"));
    m_List2->setAccessibleDescription(tr("The columns the schedule leaves out."));
    const int width = m_List1->fontMetrics().horizontalAdvance(QStringLiteral("Cumulative Principal")) + 40;
    for (QListWidget *list : {m_List1, m_List2}) {
        list->setMinimumWidth(width);
        list->setMinimumHeight(list->fontMetrics().height() * 13);
    }
    connect(m_List1, &QListWidget::itemDoubleClicked, this, &frmOptions::List1_DblClick);
    connect(m_List2, &QListWidget::itemDoubleClicked, this, &frmOptions::List2_DblClick);

    m_cmdUp = ui::dialogButton(tr("&Up"), "cmdUp");
    m_cmdDown = ui::dialogButton(tr("Do&wn"), "cmdDown");
    m_cmdRight = ui::dialogButton(tr("&Hide >"), "cmdRight");
    m_cmdLeft = ui::dialogButton(tr("< &Show"), "cmdLeft");
    connect(m_cmdUp, &QPushButton::clicked, this, &frmOptions::cmdUp_Click);
    connect(m_cmdDown, &QPushButton::clicked, this, &frmOptions::cmdDown_Click);
    connect(m_cmdRight, &QPushButton::clicked, this, &frmOptions::cmdRight_Click);
    connect(m_cmdLeft, &QPushButton::clicked, this, &frmOptions::cmdLeft_Click);

    auto *moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(m_cmdUp);
    moves->addWidget(m_cmdDown);
    moves->addSpacing(18);
    moves->addWidget(m_cmdRight);
    moves->addWidget(m_cmdLeft);
    moves->addStretch(1);
    auto *lists = new QGridLayout;
    lists->setHorizontalSpacing(10);
    lists->addWidget(labelFor(tr("&Visible Columns:"), m_List1), 0, 0);
    lists->addWidget(labelFor(tr("Hi&dden Columns:"), m_List2), 0, 2);
    lists->addWidget(m_List1, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(m_List2, 1, 2);
    auto *frame = new QGroupBox(QStringLiteral("Columns:"));
    frame->setLayout(lists);

    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("fraOptions0"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    return page;
}

QWidget *frmOptions::formattingPage()
{
    m_cboDateFormat = new QComboBox;
    m_cboDateFormat->setObjectName(QStringLiteral("cboDateFormat"));
    for (std::string_view pattern : engine::kDatePatterns)
        m_cboDateFormat->addItem(QString::fromLatin1(pattern.data(), qsizetype(pattern.size())));
    m_txtDateFormatSample = new QLineEdit;
    m_txtDateFormatSample->setObjectName(QStringLiteral("txtDateFormatSample"));
    m_txtDateFormatSample->setReadOnly(true);
    m_txtDateFormatSample->setAccessibleName(tr("Date format sample"));
    m_txtDateFormatSample->setMinimumWidth(
        m_txtDateFormatSample->fontMetrics().horizontalAdvance(QStringLiteral("0000-WWW-00")) + 24);
    auto *sample = new QGroupBox(QStringLiteral("Sample:"));
    auto *sampleLayout = new QVBoxLayout(sample);
    sampleLayout->addWidget(m_txtDateFormatSample);

    m_chkScrollTrack = new QCheckBox(tr("Scroll &Track:"));
    m_chkScrollTrack->setObjectName(QStringLiteral("chkScrollTrack"));
    // The box after its caption, as the other fields stand after theirs.
    m_chkScrollTrack->setLayoutDirection(Qt::RightToLeft);

    m_txtInterval = new QSpinBox;
    m_txtInterval->setObjectName(QStringLiteral("txtInterval"));
    m_txtInterval->setRange(0, engine::kMaxRowInterval);
    m_txtInterval->setAlignment(Qt::AlignRight);
    m_txtColor = new QLabel;
    m_txtColor->setObjectName(QStringLiteral("txtColor"));
    m_txtColor->setAccessibleName(tr("Band colour"));
    m_txtColor->setFrameShape(QFrame::Box);
    m_txtColor->setAutoFillBackground(true);
    m_txtColor->setFixedSize(48, m_txtInterval->sizeHint().height());
    m_cmdColor = ui::dialogButton(tr("&Color"), "cmdColor");
    connect(m_cmdColor, &QPushButton::clicked, this, &frmOptions::cmdColor_Click);
    auto *grid = new QGroupBox(QStringLiteral("Grid Options:"));
    auto *gridLayout = new QHBoxLayout(grid);
    gridLayout->addWidget(labelFor(tr("Row &Interval:"), m_txtInterval));
    gridLayout->addWidget(m_txtInterval);
    gridLayout->addSpacing(16);
    gridLayout->addWidget(m_txtColor);
    gridLayout->addWidget(m_cmdColor);
    gridLayout->addStretch(1);

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    fields->addWidget(labelFor(tr("Date &Format:"), m_cboDateFormat), 0, 0);
    fields->addWidget(m_cboDateFormat, 0, 1);
    fields->addWidget(sample, 0, 2, 2, 1);
    fields->addWidget(m_chkScrollTrack, 1, 0, 1, 2, Qt::AlignAbsolute | Qt::AlignLeft);
    fields->addWidget(grid, 2, 0, 1, 3);
    fields->setRowStretch(3, 1);
    fields->setColumnStretch(2, 1);
    auto *frame = new QGroupBox(QStringLiteral("Formatting Options:"));
    frame->setLayout(fields);

    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("fraOptions1"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    return page;
}

int frmOptions::tab() const
{
    return m_tbsOptions->currentIndex();
}

engine::Preferences frmOptions::preferences() const
{
    engine::Preferences chosen;
    chosen.dateFormat = m_cboDateFormat->currentText().toStdString();
    chosen.rowInterval = m_txtInterval->value();
    chosen.rowIntervalColor = m_color;
    chosen.scrollTrack = m_chkScrollTrack->isChecked();
    return chosen;
}

void frmOptions::showLists(QListWidget *list, int selected)
{
    const std::pair<QListWidget *, const std::vector<int> *> lists[] = {{m_List1, &m_chooser.visible()},
                                                                        {m_List2, &m_chooser.hidden()}};
    for (const auto &[widget, columns] : lists) {
        widget->clear();
        for (int k : *columns)
            widget->addItem(QString::fromStdString(m_columns.columns[size_t(k)].Caption));
    }
    if (selected >= 0 && selected < list->count())
        list->setCurrentRow(selected);
}

void frmOptions::moved(QListWidget *list, std::optional<int> selected)
{
    if (!selected)
        return;
    showLists(list, *selected);
    m_document.markModified();
}

void frmOptions::cmdRight_Click()
{
    moved(m_List1, m_chooser.hide(m_List1->currentRow()));
}

void frmOptions::cmdLeft_Click()
{
    moved(m_List2, m_chooser.show(m_List2->currentRow()));
}

void frmOptions::List1_DblClick()
{
    cmdRight_Click();
}

void frmOptions::List2_DblClick()
{
    cmdLeft_Click();
}

void frmOptions::cmdUp_Click()
{
    moved(m_List1, m_chooser.moveUp(m_List1->currentRow()));
}

void frmOptions::cmdDown_Click()
{
    moved(m_List1, m_chooser.moveDown(m_List1->currentRow()));
}

void frmOptions::cboDateFormat_Click()
{
    const QDate today = m_today ? m_today() : QDate::currentDate();
    m_txtDateFormatSample->setText(
        QString::fromStdString(m_format.formatDate(ui::toSerial(today), m_cboDateFormat->currentText().toStdString())));
}

void frmOptions::showColor()
{
    QPalette palette = m_txtColor->palette();
    palette.setColor(QPalette::Window, ui::colorFromBgr(m_color));
    m_txtColor->setPalette(palette);
}

void frmOptions::cmdColor_Click()
{
    if (const std::optional<QColor> chosen =
            m_dialogs.color(this, QStringLiteral("Color"), ui::colorFromBgr(m_color))) {
        m_color = ui::bgrFromColor(*chosen);
        showColor();
    }
}

void frmOptions::cmdOK_Click()
{
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

} // namespace views
