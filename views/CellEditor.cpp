#include "CellEditor.h"

#include "NumericCellBox.h"
#include "ScheduleModel.h"
#include "ShellServices.h"

#include "document/DocumentFile.h"
#include "engine/ChangeTables.h"
#include "engine/NumberFormat.h"
#include "ui/NumberField.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

namespace views {

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kSpace = 32;

// The character code a key press stands for, as the editing rules count them.
int keyCode(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Space:
    case Qt::Key_F2: // as in other grids: edit the value the cell holds
        return kSpace;
    default:
        break;
    }
    const QString text = event->text();
    return text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() < 127 ? text[0].unicode() : 0;
}

} // namespace

CellEditor::CellEditor(QTableView *grid, ScheduleModel *model, document::DocumentData &data,
                       const engine::NumberFormat &format, ShellServices &shell)
    : QObject(grid)
    , m_grid(grid)
    , m_viewport(grid->viewport())
    , m_model(model)
    , m_data(data)
    , m_format(format)
    , m_shell(shell)
    , m_box(new NumericCellBox(grid->viewport()))
{
    m_box->hide();
    ui::useKeypadDecimal(m_box, format);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_grid->installEventFilter(this);
    m_viewport->installEventFilter(this);
    m_box->installEventFilter(this);
    connect(m_box, &NumericCellBox::focusLost, this, &CellEditor::closeBox);
    for (QScrollBar *bar : {m_grid->verticalScrollBar(), m_grid->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (editing())
                GridMain1_Scroll();
        });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &CellEditor::showStatus,
                Qt::UniqueConnection);
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &CellEditor::showStatus,
            Qt::UniqueConnection);
}

bool CellEditor::editing() const
{
    return m_box->isVisible();
}

int CellEditor::FilterNumericKey(int key, int mode)
{
    if (key == kBackspace)
        return key;
    const QChar c = QChar(key).toLower();
    if (mode == 1)
        return QStringLiteral("-0123456789").contains(c) ? key : 0;
    if (mode == 2)
        return QStringLiteral("0123456789").contains(c) ? key : 0;
    return 0;
}

QString CellEditor::StripNumberText(const QString &text, const engine::NumberFormat &format)
{
    return QString::fromStdString(engine::stripNumberText(text.toStdString(), format));
}

QString CellEditor::cellNumber(const QModelIndex &index) const
{
    const int row = index.row() + 1;
    const int logical = m_model->logicalColumn(index.column());
    if (m_data.loan.gridMain0.isEmpty(row, logical))
        return {};
    return editable(m_data.loan.gridMain0.value(row, logical));
}

QString CellEditor::editable(double value) const
{
    return QString::fromStdString(engine::editableNumber(value, m_format));
}

bool CellEditor::IsReadOnlyCell() const
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid() || current.row() == 0)
        return true; // the start row
    const int logical = m_model->logicalColumn(current.column());
    if (logical == engine::colLumpSum)
        return false;
    if (logical == engine::colAnnualRate || logical == engine::colPayment)
        return m_data.loan.gridMain0.isEmpty(current.row() + 1, engine::colOpeningBalance);
    return true;
}

void CellEditor::showStatus()
{
    if (!m_data.loan.gblnReportFlag)
        m_shell.setCellStatus(IsReadOnlyCell() ? QStringLiteral("Read Only Cell") : QStringLiteral("Updatable Cell"));
}

void CellEditor::EnterCellEditingMode(int &key)
{
    if (IsReadOnlyCell())
        return;
    const QModelIndex current = m_grid->currentIndex();
    const int logical = m_model->logicalColumn(current.column());
    m_box->setText(cellNumber(current));
    const QString prefix = QString::fromStdString(m_format.currencyPrefix);
    const QString suffix = QString::fromStdString(m_format.currencySuffix);
    const auto mode = logical == engine::colAnnualRate ? NumericCellBox::Mode::Rate : NumericCellBox::Mode::Amount;
    m_box->setMode(mode, prefix, suffix);
    if (key == kBackspace || key == kEnter || key == kSpace) {
        m_box->selectAll();
    } else if (logical == engine::colAnnualRate) {
        key = FilterNumericKey(key, 2);
        if (key == 0)
            return;
        m_box->setText(QString(QChar(key)));
    } else {
        key = FilterNumericKey(key, 1);
        if (key == 0)
            return;
        if (key == '-') {
            // A minus sign turns the current amount around; an empty lump sum stays empty.
            const bool empty = m_box->text().isEmpty();
            if (!(logical == engine::colLumpSum && empty)) {
                const auto value = m_format.parseNumber(m_box->text().toStdString());
                m_box->setText(editable(-value.value_or(0)));
            }
            m_box->selectAll();
        } else {
            m_box->setText(QString(QChar(key)));
        }
    }
    m_editRow = current.row();
    m_editColumn = current.column();
    // The cursor may have been scrolled out of sight: the box opens where the user can see it.
    m_grid->scrollTo(current);
    m_box->setGeometry(m_grid->visualRect(current));
    m_box->show();
    m_box->raise();
    // What the cell held, in the box's own terms: closing the box unchanged changes nothing.
    m_previousText = cellNumber(current);
    m_savedRow = -1;
    m_box->setFocus(Qt::OtherFocusReason);
    key = 0;
}

int CellEditor::topRow() const
{
    return std::max(m_grid->rowAt(0), 0);
}

int CellEditor::fullyVisibleRows() const
{
    const int rowHeight = std::max(m_grid->verticalHeader()->defaultSectionSize(), 1);
    return std::max(m_grid->viewport()->height() / rowHeight, 1);
}

bool CellEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        const QModelIndex current = m_grid->currentIndex();
        const int lastRow = m_model->rowCount() - 1;
        switch (keyEvent->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_savedRow = current.row();
            m_savedColumn = current.column();
            m_savedTopRow = topRow();
            m_grid->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: {
            // Taken as Enter takes it, then one cell on: the grid would otherwise move its cursor from under the box.
            const int step = keyEvent->key() == Qt::Key_Tab ? 1 : -1;
            m_savedRow = current.row();
            m_savedColumn = std::clamp(current.column() + step, 0, m_model->columnCount() - 1);
            m_savedTopRow = topRow();
            m_grid->setFocus(Qt::OtherFocusReason);
            return true;
        }
        case Qt::Key_Escape:
            m_savedRow = current.row();
            m_savedColumn = current.column();
            m_savedTopRow = topRow();
            dropBox();
            return true;
        case Qt::Key_Up:
            m_savedColumn = current.column();
            m_savedRow = std::max(current.row() - 1, 0);
            m_savedTopRow = m_savedRow < topRow() ? topRow() - 1 : topRow();
            m_grid->setFocus(Qt::OtherFocusReason);
            return true;
        case Qt::Key_Down:
            m_savedColumn = current.column();
            m_savedRow = std::min(current.row() + 1, lastRow);
            m_savedTopRow = topRow();
            if (fullyVisibleRows() + m_savedTopRow <= m_savedRow)
                ++m_savedTopRow;
            m_grid->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            return false;
        }
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress && !editing()) {
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
            clearCell();
            return true;
        }
        int key = keyCode(static_cast<QKeyEvent *>(event));
        if (key != 0 && !m_data.loan.gblnReportFlag) {
            EnterCellEditingMode(key);
            if (key == 0)
                return true;
        }
        return false;
    }
    if (watched == m_viewport && event->type() == QEvent::MouseButtonDblClick && !editing()) {
        QObject::eventFilter(watched, event);
        if (!m_data.loan.gblnReportFlag) {
            int key = kSpace;
            EnterCellEditingMode(key);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void CellEditor::dropBox()
{
    // Hiding the box while it has the focus would hand the focus on as Tab does, and the grid would move its cursor
    // one cell on: the grid takes the focus first, while the box closes without its value.
    m_dropping = true;
    m_grid->setFocus(Qt::OtherFocusReason);
    m_box->hide();
    m_dropping = false;
}

void CellEditor::closeBox()
{
    if (m_dropping || !m_box->isVisible())
        return;
    m_box->hide();
    const QString text = m_box->text();
    if (text == m_previousText) {
        UpdateCellCoordinates();
        return;
    }
    const QString value = StripNumberText(text, m_format);
    if (!text.trimmed().isEmpty() && value.isEmpty()) {
        m_shell.showMessage(QString::fromLatin1(kNotNumericMessage));
        return;
    }

    const int logical = m_model->logicalColumn(m_editColumn);
    std::optional<double> amount;
    if (!value.isEmpty()) {
        amount = engine::typedChange(value.toDouble(), logical != engine::colAnnualRate);
        if (!amount) {
            m_shell.showMessage(QString::fromLatin1(kOutOfRangeMessage));
            return;
        }
    }
    setChange(amount);
    UpdateCellCoordinates();
}

void CellEditor::setChange(std::optional<double> amount)
{
    const int logical = m_model->logicalColumn(m_editColumn);
    auto tableOf = [logical](document::DocumentData &data) -> engine::TextTable & {
        return logical == engine::colAnnualRate ? data.loan.gridAnnualRate
            : logical == engine::colPayment     ? data.loan.gridBasicPayment
                                                : data.loan.gridLumpSum;
    };
    // The entry is matched on the row's date as shown; the schedule's own serial is the date's exact key.
    const int scheduleRow = m_editRow + 1;
    const std::string dateText = m_data.loan.gridMain0.text(scheduleRow, engine::colDate);
    const auto date = engine::Date(m_data.loan.gridMain0.value(scheduleRow, engine::colDateSerial));
    engine::TextTable edited = tableOf(m_data);
    if (engine::setChangeByDate(edited, dateText, date, amount)
        && m_shell.changeAndRecalculate(QString::fromLatin1(engine::scheduleCaption(logical)),
                                        [&](document::DocumentData &data) { tableOf(data) = std::move(edited); }))
        m_shell.markModified();
}

void CellEditor::clearCell()
{
    if (editing() || m_data.loan.gblnReportFlag || IsReadOnlyCell())
        return;
    const QModelIndex current = m_grid->currentIndex();
    m_editRow = current.row();
    m_editColumn = current.column();
    m_savedRow = current.row();
    m_savedColumn = current.column();
    m_savedTopRow = topRow();
    setChange(std::nullopt);
    UpdateCellCoordinates();
}

void CellEditor::GridMain1_Scroll()
{
    const QModelIndex current = m_grid->currentIndex();
    m_savedRow = current.row();
    m_savedColumn = current.column();
    m_savedTopRow = topRow();
    dropBox();
}

void CellEditor::UpdateCellCoordinates()
{
    const int rows = m_model->rowCount();
    const int columns = m_model->columnCount();
    if (rows == 0 || columns == 0)
        return;
    int row = m_savedRow;
    int column = m_savedColumn;
    if (row == -1) {
        // The box closed because the user clicked elsewhere: the cell under the mouse, when the mouse is over this
        // grid and not over a window in front of it.
        const QPoint global = QCursor::pos();
        const QPoint mouse = m_viewport->mapFromGlobal(global);
        const bool overGrid = QApplication::widgetAt(global) == m_viewport;
        row = overGrid ? m_grid->rowAt(mouse.y()) : -1;
        column = overGrid ? m_grid->columnAt(mouse.x()) : -1;
        if (row < 0 || column < 0) {
            row = m_grid->currentIndex().row();
            column = m_grid->currentIndex().column();
        }
    }
    row = std::clamp(row, 0, rows - 1);
    column = std::clamp(column, 0, columns - 1);
    m_grid->setUpdatesEnabled(true);
    m_grid->setCurrentIndex(m_model->index(row, column));
    if (m_savedRow != -1)
        m_grid->verticalScrollBar()->setValue(std::clamp(m_savedTopRow, 0, rows - 1));
}

void CellEditor::paste(const QString &text)
{
    const QString value = StripNumberText(text, m_format);
    if (value.isEmpty() || editing())
        return;
    int key = kSpace;
    EnterCellEditingMode(key);
    if (editing())
        m_box->setText(editable(value.toDouble()));
}

} // namespace views
