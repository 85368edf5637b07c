#include "SummaryView.h"

#include "ScheduleGrid.h"
#include "ScheduleModel.h"

#include "document/DocumentFile.h"
#include "engine/Summary.h"
#include "travina/CTravinaCtrl.h"
#include "ui/ScrollingContainer.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

namespace views {

namespace {

// Lengths the container takes are its own twips, a fixed number to the pixel.
constexpr int kContainerTwips = CTravinaCtrl::TwipsPerPixel;

} // namespace

SummaryView::SummaryView(const document::DocumentData &document, const engine::NumberFormat &format, const QFont &font,
                         QWidget *parent)
    : QWidget(parent)
    , m_data(document)
    , m_format(format)
{
    const ui::Container container = ui::createContainer(*this);
    m_container = container.control;
    m_frame = container.frame;
    m_grid = new QTableView(m_frame);
    m_grid->setObjectName(QStringLiteral("gridSummary"));
    m_model = new QStandardItemModel(14, 2, this);
    m_grid->setModel(m_model);
    setupTable(m_grid, font);
    m_grid->horizontalHeader()->hide();
}

void SummaryView::PopulateGridSummary()
{
    const auto rows = engine::summaryRows(m_data.loan, m_format);
    m_model->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        auto *label = new QStandardItem(QString::fromStdString(rows[size_t(r)].first));
        label->setTextAlignment(alignmentForCode(document::kAlignRight));
        auto *value = new QStandardItem(QString::fromStdString(rows[size_t(r)].second));
        value->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_model->setItem(r, 0, label);
        m_model->setItem(r, 1, value);
    }
    m_grid->resizeColumnsToContents();
    for (int c = 0; c < 2; ++c)
        m_grid->setColumnWidth(c, m_grid->columnWidth(c) + 16);
    const int width = m_grid->columnWidth(0) + m_grid->columnWidth(1) + 2 * m_grid->frameWidth();
    const int height = m_grid->verticalHeader()->length() + 2 * m_grid->frameWidth();
    m_grid->setGeometry(8, 8, width, height);
    m_container->setVirtualWidth((width + 16) * kContainerTwips);
    m_container->setVirtualHeight((height + 16) * kContainerTwips);
}

void SummaryView::Form_Resize()
{
    ui::fitContainer(*this, *m_container, *m_frame);
}

void SummaryView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void SummaryView::setColumnAlignment(int column, int code)
{
    for (int r = 0; r < m_model->rowCount(); ++r) {
        if (QStandardItem *item = m_model->item(r, column))
            item->setTextAlignment(alignmentForCode(code));
    }
}

} // namespace views
