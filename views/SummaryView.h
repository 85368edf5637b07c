#pragma once

#include <QWidget>

class CTravinaCtrl;
class QStandardItemModel;
class QTableView;

namespace engine {
class NumberFormat;
}
namespace document {
struct DocumentData;
}

namespace views {

// The summary of a document: the loan's key figures (gridSummary) on a frame (fraContainer) inside the scrolling
// container (Travina1), which the control's factory makes.
class SummaryView : public QWidget
{
    Q_OBJECT

public:
    SummaryView(const document::DocumentData &document, const engine::NumberFormat &format, const QFont &font,
                QWidget *parent = nullptr);

    CTravinaCtrl *Travina1() const { return m_container; }
    QWidget *fraContainer() const { return m_frame; }
    QTableView *gridSummary() const { return m_grid; }

    // The summary table's rows from the computed loan.
    void PopulateGridSummary();
    // The container fills the view, scrolled back to its start; the frame covers the container's virtual area.
    void Form_Resize();
    void setColumnAlignment(int column, int code);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    const document::DocumentData &m_data;
    const engine::NumberFormat &m_format;
    CTravinaCtrl *m_container = nullptr;
    QWidget *m_frame = nullptr;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_model = nullptr;
};

} // namespace views
