#include "frmPrintPreview.h"

#include "PageView.h"
#include "PrintRange.h"

#include "ui/UserDialogs.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace print {

namespace {

const QColor kSurround(0x80, 0x80, 0x80);

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmPrintPreview::frmPrintPreview(PreviewServices &services, ui::UserDialogs &dialogs, QPrinter &printer,
                                 bool printDirectly, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_dialogs(dialogs)
    , m_printer(printer)
    , m_printDirectly(printDirectly)
{
    setObjectName(QStringLiteral("frmPrintPreview"));
    m_print = new QPushButton(QStringLiteral("&Print..."), this);
    m_setup = new QPushButton(QStringLiteral("&Setup"), this);
    m_previous = new QPushButton(QStringLiteral("Pre&vious"), this);
    m_next = new QPushButton(QStringLiteral("&Next"), this);
    m_close = new QPushButton(QStringLiteral("&Close"), this);
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("zoomList"));
    m_zoom->setAccessibleName(tr("Zoom"));
    for (int percent = 200; percent >= 20; percent -= 20)
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent);
    m_zoom->setCurrentIndex(m_zoom->findData(100));
    auto *zoomLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    zoomLabel->setBuddy(m_zoom);

    connect(m_print, &QPushButton::clicked, this, &frmPrintPreview::Print);
    connect(m_setup, &QPushButton::clicked, this, &frmPrintPreview::setup);
    connect(m_previous, &QPushButton::clicked, this, &frmPrintPreview::previousPage);
    connect(m_next, &QPushButton::clicked, this, &frmPrintPreview::nextPage);
    connect(m_close, &QPushButton::clicked, this, &frmPrintPreview::closePreview);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &frmPrintPreview::zoomChosen);

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(6, 4, 6, 4);
    bar->addWidget(m_print);
    bar->addWidget(m_setup);
    bar->addWidget(separator(this));
    bar->addWidget(m_previous);
    bar->addWidget(m_next);
    bar->addWidget(separator(this));
    bar->addWidget(zoomLabel);
    bar->addWidget(m_zoom);
    bar->addStretch();
    bar->addWidget(m_close);

    m_view = new PageView(m_surface, this);
    m_view->setAccessibleName(tr("Page preview"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);

    if (!m_printDirectly) {
        m_view->setBackgroundColor(kSurround);
        buildPages();
    }
}

frmPrintPreview::~frmPrintPreview() = default;

int frmPrintPreview::currentPage() const
{
    return m_view->page();
}

void frmPrintPreview::buildPages()
{
    TableLayout layout(m_services.printJob());
    setWindowTitle(layout.job().caption);
    m_services.withProgress([&](const TableLayout::Progress &progress) { layout.build(m_surface, progress); });
    showPage(1);
}

void frmPrintPreview::showPage(int page)
{
    m_view->setPage(page);
    const int shown = m_view->page();
    m_previous->setEnabled(shown > 1);
    m_next->setEnabled(shown < m_surface.pageCount());
    const QString status = tr("Page %1 of %2").arg(shown).arg(m_surface.pageCount());
    m_view->setAccessibleDescription(status);
    m_services.showPageStatus(status);
}

void frmPrintPreview::previousPage()
{
    if (currentPage() > 1)
        showPage(currentPage() - 1);
}

void frmPrintPreview::nextPage()
{
    if (currentPage() < pageCount())
        showPage(currentPage() + 1);
}

void frmPrintPreview::zoomChosen(int index)
{
    m_view->setZoom(m_zoom->itemData(index).toInt());
}

void frmPrintPreview::setup()
{
    if (m_services.runPageSetup())
        buildPages();
}

bool frmPrintPreview::Print()
{
    // Printing directly counts the pages first, so that the dialog can offer them, and builds them once chosen.
    std::optional<TableLayout> direct;
    if (m_printDirectly) {
        direct.emplace(m_services.printJob());
        setWindowTitle(direct->job().caption);
        direct->countPages(m_surface);
    }
    const int pages = m_surface.pageCount();
    m_printer.setFullPage(true);
    m_printer.setPageLayout(m_surface.pageLayout());
    m_printer.setDocName(windowTitle());
    m_printer.setPrintRange(QPrinter::AllPages);
    QWidget *dialogParent = m_printDirectly && parentWidget() ? parentWidget() : this;
    if (!m_dialogs.print(dialogParent, m_printer, {1, pages, !m_printDirectly}))
        return false;
    if (direct)
        m_services.withProgress([&](const TableLayout::Progress &progress) { direct->build(m_surface, progress); });

    // The selection of a preview is the page it shows.
    const auto [first, last] = chosenPages(m_printer, pages, m_view->page());
    QString error;
    if (!m_surface.print(m_printer, first, last, &error)) {
        m_services.showMessage(QStringLiteral("The document could not be printed: %1").arg(error));
        return false;
    }
    return true;
}

void frmPrintPreview::closePreview()
{
    // Inside the main window the preview's frame goes with it.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void frmPrintPreview::closeEvent(QCloseEvent *event)
{
    m_services.showPageStatus(QString());
    QWidget::closeEvent(event);
    emit closed();
}

void frmPrintPreview::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        previousPage();
        break;
    case Qt::Key_PageDown:
        nextPage();
        break;
    case Qt::Key_Home:
        showPage(1);
        break;
    case Qt::Key_End:
        showPage(pageCount());
        break;
    case Qt::Key_Escape:
        closePreview();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool printDirectly(PreviewServices &services, ui::UserDialogs &dialogs, QPrinter &printer, QWidget *parent)
{
    frmPrintPreview hidden(services, dialogs, printer, true, parent);
    return hidden.Print();
}

} // namespace print
