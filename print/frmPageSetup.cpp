#include "frmPageSetup.h"

#include "PageSetupRules.h"
#include "PageSurface.h"

#include "ui/NumberField.h"
#include "ui/Twips.h"
#include "ui/UserDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace print {

namespace {

constexpr int kSampleWidthTwips = 1560;

// The tab last chosen, for every document while the program runs.
int s_rememberedTab = 0;

QLineEdit *shortField(QWidget *parent, int characters, const engine::NumberFormat &format)
{
    auto *field = new QLineEdit(parent);
    ui::useKeypadDecimal(field, format);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('0')) * characters + 16);
    return field;
}

QComboBox *choiceList(QWidget *parent)
{
    auto *list = new QComboBox(parent);
    for (std::string_view choice : document::kHeaderFooterChoices)
        list->addItem(QString::fromUtf8(choice.data(), qsizetype(choice.size())));
    return list;
}

} // namespace

frmPageSetup::frmPageSetup(document::PrintOptions &record, PageSetupContext context, ui::UserDialogs &dialogs,
                           QPrinter &printer, QWidget *parent)
    : QDialog(parent)
    , m_record(record)
    , m_working(record)
    , m_context(std::move(context))
    , m_dialogs(dialogs)
    , m_printer(printer)
{
    setObjectName(QStringLiteral("frmPageSetup"));
    setWindowTitle(QStringLiteral("Page Setup"));
    m_record.SetupChanged = false;

    m_tabs = new QTabWidget(this);
    m_tabs->setAccessibleName(tr("Page setup pages"));
    m_tabs->addTab(pageTab(), QStringLiteral("Page"));
    m_tabs->addTab(marginsTab(), QStringLiteral("Margins"));
    m_tabs->addTab(headerFooterTab(), QStringLiteral("Header / Footer"));
    m_tabs->addTab(sheetTab(), QStringLiteral("Sheet"));
    m_tabs->setCurrentIndex(std::clamp(s_rememberedTab, 0, m_tabs->count() - 1));
    connect(m_tabs, &QTabWidget::currentChanged, this, [](int index) { s_rememberedTab = index; });

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_print = new QPushButton(QStringLiteral("&Print..."), this);
    m_preview = new QPushButton(QStringLiteral("Print Pre&view"), this);
    m_option = new QPushButton(QStringLiteral("&Options..."), this);
    connect(m_ok, &QPushButton::clicked, this, &frmPageSetup::okClicked);
    connect(m_cancel, &QPushButton::clicked, this, &frmPageSetup::cancelClicked);
    connect(m_print, &QPushButton::clicked, this, &frmPageSetup::printClicked);
    connect(m_preview, &QPushButton::clicked, this, &frmPageSetup::previewClicked);
    connect(m_option, &QPushButton::clicked, this, &frmPageSetup::optionClicked);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {m_ok, m_cancel, m_print, m_preview, m_option})
        buttons->addWidget(button);
    buttons->insertSpacing(2, 12);
    buttons->addStretch();

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    if (m_context.newDocument)
        SetPageOptionDefault();
    else
        showWorkingCopies();
}

QWidget *frmPageSetup::pageTab()
{
    auto *tab = new QWidget(this);
    auto *orientation = new QGroupBox(QStringLiteral("Orientation"), tab);
    m_portrait = new QRadioButton(QStringLiteral("Por&trait"), orientation);
    m_landscape = new QRadioButton(QStringLiteral("&Landscape"), orientation);
    auto *orientationRow = new QHBoxLayout(orientation);
    orientationRow->addWidget(m_portrait);
    orientationRow->addWidget(m_landscape);
    orientationRow->addStretch();
    connect(m_portrait, &QRadioButton::toggled, this,
            [this](bool on) { change(&document::PrintOptions::Orientation, on); });

    auto *scalingBox = new QGroupBox(QStringLiteral("Scaling"), tab);
    m_scaling = shortField(scalingBox, 5, m_context.format);
    auto *scalingRow = new QHBoxLayout(scalingBox);
    auto *adjust = new QLabel(QStringLiteral("&Adjust to:"), scalingBox);
    adjust->setBuddy(m_scaling);
    scalingRow->addWidget(adjust);
    scalingRow->addWidget(m_scaling);
    scalingRow->addWidget(new QLabel(QStringLiteral("% normal size"), scalingBox));
    scalingRow->addStretch();
    connect(m_scaling, &QLineEdit::textChanged, this, [this](const QString &text) {
        change(&document::PrintOptions::Scaling, scalingFromText(text, m_context.format));
    });
    connect(m_scaling, &QLineEdit::editingFinished, this,
            [this] { showStored(m_scaling, QString::number(m_working.Scaling)); });

    m_paperSize = new QComboBox(tab);
    for (std::string_view label : document::kPaperSizes)
        m_paperSize->addItem(QString::fromUtf8(label.data(), qsizetype(label.size())));
    connect(m_paperSize, &QComboBox::currentIndexChanged, this,
            [this](int index) { change(&document::PrintOptions::PageSize, index + 1); });
    auto *paper = new QFormLayout;
    paper->addRow(QStringLiteral("Paper si&ze:"), m_paperSize);

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(orientation);
    layout->addWidget(scalingBox);
    layout->addLayout(paper);
    layout->addStretch();
    return tab;
}

QWidget *frmPageSetup::marginsTab()
{
    auto *tab = new QWidget(this);
    const QString labels[6] = {QStringLiteral("&Top:"),   QStringLiteral("&Bottom:"), QStringLiteral("&Left:"),
                               QStringLiteral("&Right:"), QStringLiteral("He&ader:"), QStringLiteral("&Footer:")};
    float document::PrintOptions::*fields[6] = {
        &document::PrintOptions::MarginTop,  &document::PrintOptions::MarginBottom,
        &document::PrintOptions::MarginLeft, &document::PrintOptions::MarginRight,
        &document::PrintOptions::HeaderEdge, &document::PrintOptions::FooterEdge};
    auto *grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        m_margins[size_t(i)] = shortField(tab, 6, m_context.format);
        auto *label = new QLabel(labels[i], tab);
        label->setBuddy(m_margins[size_t(i)]);
        // Top and bottom, left and right, header and footer side by side.
        const int row = i / 2;
        const int column = (i % 2) * 4;
        grid->addWidget(label, row, column);
        grid->addWidget(m_margins[size_t(i)], row, column + 1);
        grid->addWidget(new QLabel(QStringLiteral("in."), tab), row, column + 2);
        connect(m_margins[size_t(i)], &QLineEdit::textChanged, this, [this, field = fields[i]](const QString &text) {
            change(field, marginFromText(text, m_context.format));
        });
        connect(m_margins[size_t(i)], &QLineEdit::editingFinished, this, [this, i, field = fields[i]] {
            showStored(m_margins[size_t(i)], marginText(m_working.*field, m_context.format));
        });
    }
    grid->setColumnMinimumWidth(3, 24);
    grid->setColumnStretch(7, 1);

    auto *center = new QGroupBox(QStringLiteral("Center on Page"), tab);
    m_centerHorizontally = new QCheckBox(QStringLiteral("Hori&zontally"), center);
    m_centerVertically = new QCheckBox(QStringLiteral("V&ertically"), center);
    auto *centerRow = new QHBoxLayout(center);
    centerRow->addWidget(m_centerHorizontally);
    centerRow->addWidget(m_centerVertically);
    centerRow->addStretch();
    connect(m_centerHorizontally, &QCheckBox::toggled, this,
            [this](bool on) { change(&document::PrintOptions::CenterHorizontally, on ? 1 : 0); });
    connect(m_centerVertically, &QCheckBox::toggled, this,
            [this](bool on) { change(&document::PrintOptions::CenterVertically, on ? 1 : 0); });

    auto *layout = new QVBoxLayout(tab);
    layout->addLayout(grid);
    layout->addWidget(center);
    layout->addStretch();
    return tab;
}

QWidget *frmPageSetup::headerFooterTab()
{
    auto *tab = new QWidget(this);
    auto sampleRow = [tab](std::array<QLabel *, 3> &cells) {
        auto *row = new QHBoxLayout;
        row->setSpacing(0);
        const int width = int(std::lround(ui::pixelsFromTwips(kSampleWidthTwips)));
        const Qt::Alignment alignments[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        for (size_t i = 0; i < cells.size(); ++i) {
            cells[i] = new QLabel(tab);
            cells[i]->setFixedWidth(width);
            cells[i]->setFrameShape(QFrame::Box);
            cells[i]->setAlignment(alignments[i] | Qt::AlignVCenter);
            cells[i]->setAutoFillBackground(true);
            cells[i]->setBackgroundRole(QPalette::Base);
            row->addWidget(cells[i]);
        }
        row->addStretch();
        return row;
    };
    m_headerList = choiceList(tab);
    m_footerList = choiceList(tab);
    auto *customHeader = new QPushButton(QStringLiteral("&Custom Header..."), tab);
    auto *customFooter = new QPushButton(QStringLiteral("C&ustom Footer:"), tab);
    // They carry no action of their own.
    customHeader->setEnabled(false);
    customFooter->setEnabled(false);
    connect(m_headerList, &QComboBox::currentIndexChanged, this, [this](int index) {
        change(&document::PrintOptions::HeaderListIndex, index);
        showSample(m_headerSample, index);
    });
    connect(m_footerList, &QComboBox::currentIndexChanged, this, [this](int index) {
        change(&document::PrintOptions::FooterListIndex, index);
        showSample(m_footerSample, index);
    });

    auto *layout = new QVBoxLayout(tab);
    auto *header = new QLabel(QStringLiteral("&Header:"), tab);
    header->setBuddy(m_headerList);
    layout->addWidget(header);
    layout->addWidget(m_headerList);
    layout->addLayout(sampleRow(m_headerSample));
    layout->addWidget(customHeader, 0, Qt::AlignLeft);
    layout->addSpacing(12);
    auto *footer = new QLabel(QStringLiteral("&Footer:"), tab);
    footer->setBuddy(m_footerList);
    layout->addWidget(footer);
    layout->addWidget(m_footerList);
    layout->addLayout(sampleRow(m_footerSample));
    layout->addWidget(customFooter, 0, Qt::AlignLeft);
    layout->addStretch();
    return tab;
}

QWidget *frmPageSetup::sheetTab()
{
    auto *tab = new QWidget(this);
    auto *printed = new QGroupBox(QStringLiteral("Print"), tab);
    m_gridLines = new QCheckBox(QStringLiteral("&Gridlines"), printed);
    m_blackAndWhite = new QCheckBox(QStringLiteral("Black and W&hite"), printed);
    m_repeatHeading = new QCheckBox(QStringLiteral("&Repeat Columns Heading"), printed);
    m_titleComments = new QCheckBox(QStringLiteral("&Title and Comments"), printed);
    auto *checks = new QGridLayout(printed);
    checks->addWidget(m_gridLines, 0, 0);
    checks->addWidget(m_blackAndWhite, 1, 0);
    checks->addWidget(m_repeatHeading, 0, 1);
    checks->addWidget(m_titleComments, 1, 1);
    const std::pair<QCheckBox *, int document::PrintOptions::*> boxes[] = {
        {m_gridLines, &document::PrintOptions::GridLines},
        {m_blackAndWhite, &document::PrintOptions::BlackAndWhite},
        {m_repeatHeading, &document::PrintOptions::RepeatHeading},
        {m_titleComments, &document::PrintOptions::TitleComments}};
    for (const auto &[box, field] : boxes)
        connect(box, &QCheckBox::toggled, this, [this, field = field](bool on) { change(field, on ? 1 : 0); });

    auto *densityBox = new QGroupBox(QStringLiteral("Row Density"), tab);
    m_density = new QSlider(Qt::Horizontal, densityBox);
    m_density->setRange(0, 6);
    m_density->setPageStep(1);
    m_density->setTickPosition(QSlider::TicksBelow);
    m_density->setTickInterval(1);
    m_densityValue = new QLabel(densityBox);
    auto *densityLayout = new QGridLayout(densityBox);
    densityLayout->addWidget(new QLabel(QStringLiteral("More rows"), densityBox), 0, 0);
    densityLayout->addWidget(m_density, 0, 1);
    densityLayout->addWidget(new QLabel(QStringLiteral("Fewer rows"), densityBox), 0, 2);
    densityLayout->addWidget(m_densityValue, 1, 1, Qt::AlignHCenter);
    connect(m_density, &QSlider::valueChanged, this, [this](int position) {
        change(&document::PrintOptions::RowsPerPage, rowsPerPageAt(position));
        showDensity();
    });

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(printed);
    layout->addWidget(densityBox);
    layout->addStretch();
    return tab;
}

template<typename T>
void frmPageSetup::change(T document::PrintOptions::*field, T value)
{
    // The controls showing the working copies store nothing: a value read back from its text could differ a little.
    if (m_loading)
        return;
    m_working.*field = value;
    if (!(m_record.*field == value))
        m_record.SetupChanged = true;
}

void frmPageSetup::SetPageOptionDefault()
{
    if (!m_record.DefaultsApplied) {
        m_record.applyDefaults();
        if (m_context.markModified)
            m_context.markModified();
    }
    m_working = m_record;
    showWorkingCopies();
}

void frmPageSetup::showWorkingCopies()
{
    m_loading = true;
    const document::PrintOptions &w = m_working;
    m_portrait->setChecked(w.Orientation);
    m_landscape->setChecked(!w.Orientation);
    m_scaling->setText(QString::number(w.Scaling));
    m_paperSize->setCurrentIndex(w.PageSize - 1);
    const float margins[6] = {w.MarginTop, w.MarginBottom, w.MarginLeft, w.MarginRight, w.HeaderEdge, w.FooterEdge};
    for (size_t i = 0; i < m_margins.size(); ++i)
        m_margins[i]->setText(marginText(margins[i], m_context.format));
    m_centerHorizontally->setChecked(w.CenterHorizontally == 1);
    m_centerVertically->setChecked(w.CenterVertically == 1);
    m_headerList->setCurrentIndex(w.HeaderListIndex);
    m_footerList->setCurrentIndex(w.FooterListIndex);
    m_gridLines->setChecked(w.GridLines == 1);
    m_blackAndWhite->setChecked(w.BlackAndWhite == 1);
    m_repeatHeading->setChecked(w.RepeatHeading == 1);
    m_titleComments->setChecked(w.TitleComments == 1);
    m_density->setValue(sliderPositionFor(w.RowsPerPage));
    m_loading = false;
    showSample(m_headerSample, w.HeaderListIndex);
    showSample(m_footerSample, w.FooterListIndex);
    showDensity();
}

void frmPageSetup::showStored(QLineEdit *field, const QString &text)
{
    // A field left with text it cannot keep (letters, a scaling past its range) shows what it stores.
    if (field->text() == text)
        return;
    m_loading = true;
    field->setText(text);
    m_loading = false;
}

void frmPageSetup::showSample(const std::array<QLabel *, 3> &cells, int choice)
{
    const auto texts = headerFooterSample(choice, m_context.date);
    for (size_t i = 0; i < cells.size(); ++i)
        cells[i]->setText(texts[i]);
}

void frmPageSetup::showDensity()
{
    m_densityValue->setText(QStringLiteral("%1 rows a page").arg(m_working.RowsPerPage));
}

void frmPageSetup::setPrintButtonsVisible(bool visible)
{
    m_print->setVisible(visible);
    m_preview->setVisible(visible);
}

void frmPageSetup::apply()
{
    if (m_record.SetupChanged) {
        const bool defaultsApplied = m_record.DefaultsApplied;
        m_record = m_working;
        m_record.DefaultsApplied = defaultsApplied;
        m_record.SetupChanged = true;
        if (m_context.markModified)
            m_context.markModified();
    }
}

void frmPageSetup::finish(Outcome outcome)
{
    m_outcome = outcome;
    QDialog::accept();
}

void frmPageSetup::okClicked()
{
    if (!marginsFit(m_working, m_record.RowsPerPage, m_context.font, m_context.firstCell, m_context.firstColumnWidth)) {
        m_dialogs.message(this, m_context.messageTitle, QString::fromLatin1(kMarginsTooBigMessage), ui::UserDialogs::Ok,
                          ui::UserDialogs::Icon::Warning);
        return;
    }
    apply();
    finish(Outcome::Applied);
}

void frmPageSetup::cancelClicked()
{
    reject();
}

void frmPageSetup::reject()
{
    m_record.SetupChanged = false;
    m_outcome = Outcome::Cancelled;
    QDialog::reject();
}

void frmPageSetup::printClicked()
{
    apply();
    finish(Outcome::Print);
}

void frmPageSetup::previewClicked()
{
    apply();
    finish(Outcome::Preview);
}

void frmPageSetup::optionClicked()
{
    // The printer's set-up opens on the page chosen here, and the paper and orientation it leaves come back to the
    // Page tab: the pages are laid out from this dialog's choices, so a choice made there alone would be lost.
    m_printer.setPageSize(pageSizeFor(m_working.PageSize));
    m_printer.setPageOrientation(m_working.Orientation ? QPageLayout::Portrait : QPageLayout::Landscape);
    if (!m_dialogs.pageSetup(this, m_printer))
        return;
    const QPageLayout chosen = m_printer.pageLayout();
    const bool portrait = chosen.orientation() == QPageLayout::Portrait;
    m_portrait->setChecked(portrait);
    m_landscape->setChecked(!portrait);
    if (const int paper = paperSizeNumber(chosen.pageSize()); paper > 0)
        m_paperSize->setCurrentIndex(paper - 1);
}

} // namespace print
