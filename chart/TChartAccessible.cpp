#include "TChartAccessible.h"

#include "TChart.h"
#include "localenumbers.h"
#include "readout.h"

#include <algorithm>

namespace {

constexpr int Columns = 2;   // Y, then X
constexpr int CellSide = 5;  // the pixels a cell reports around its sample's point

// One value of one sample. It reads the chart whenever asked, so it follows every new curve.
class SampleCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    SampleCell(TChart *chart, int row, int column) : m_chart(chart), m_row(row), m_column(column) {}

    bool isValid() const override { return m_chart && m_row < int(TChartAccessible::rows(m_chart).size()); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_chart ? m_chart->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_chart); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        const TChartPoint p = TChartAccessible::rows(m_chart)[std::size_t(m_row)];
        const QString value = chart::numberText(m_column == 0 ? p.y : p.x);
        const QString unit = m_chart->readoutUnit();
        return unit.isEmpty() ? value : value + QLatin1Char(' ') + unit;
    }

    // A small square beside the sample's point, the Y cell left of it and the X cell right.
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QPoint corner = pointPixel() + QPoint(m_column == 0 ? -CellSide : 0, -CellSide / 2);
        return QRect(m_chart->mapToGlobal(corner), QSize(CellSide, CellSide));
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        if (!isValid() || !m_chart->isVisible())
            s.invisible = true;
        else if (!m_chart->chartGeometry().plotRect.contains(pointPixel()))
            s.offscreen = true;   // zoomed or panned away, as for the tooltip
        return s;
    }

    bool isSelected() const override { return false; }
    int columnExtent() const override { return 1; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int rowIndex() const override { return m_row; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QPoint pointPixel() const
    {
        const TChartPoint p = TChartAccessible::rows(m_chart)[std::size_t(m_row)];
        const ChartGeometry g = m_chart->chartGeometry();
        return QPoint(int(g.xMap.toPixel(p.x)), int(g.yMap.toPixel(p.y)));
    }

    QPointer<TChart> m_chart;
    int m_row, m_column;
};

}  // namespace

TChartAccessible::TChartAccessible(TChart *chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

TChartAccessible::~TChartAccessible()
{
    for (const auto &[index, id] : m_cells)
        QAccessible::deleteAccessibleInterface(id);
}

TChart *TChartAccessible::chart() const { return static_cast<TChart *>(widget()); }

std::vector<TChartPoint> TChartAccessible::rows(const TChart *chart)
{
    const TFastLineSeries *series = chart->series(0);
    if (!series)
        return {};
    return chart::inAscendingY(series->points());
}

QString TChartAccessible::text(QAccessible::Text t) const
{
    // a description set on the widget wins; otherwise the chart says its shape
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
        return chart()->describe();
    return QAccessibleWidget::text(t);
}

int TChartAccessible::rowCount() const
{
    const TFastLineSeries *series = chart()->series(0);
    return series ? series->count() : 0;
}

int TChartAccessible::columnCount() const { return chart()->series(0) ? Columns : 0; }

QString TChartAccessible::columnDescription(int column) const
{
    return column == 0 ? chart()->leftAxisTitle() : column == 1 ? chart()->bottomAxisTitle() : QString();
}

int TChartAccessible::childCount() const { return rowCount() * columnCount(); }

QAccessibleInterface *TChartAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (auto found = m_cells.find(index); found != m_cells.end())
        return QAccessible::accessibleInterface(found->second);
    auto *cell = new SampleCell(chart(), index / Columns, index % Columns);
    m_cells[index] = QAccessible::registerAccessibleInterface(cell);
    return cell;
}

QAccessibleInterface *TChartAccessible::cellAt(int row, int column) const
{
    if (column < 0 || column >= columnCount())
        return nullptr;
    return child(row * Columns + column);
}

int TChartAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    for (const auto &[index, id] : m_cells) {
        if (QAccessible::accessibleInterface(id) == child)
            return index < childCount() ? index : -1;
    }
    return -1;
}

QAccessibleInterface *TChartAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface *cell = child(i);
        if (cell->rect().contains(x, y))
            return cell;
    }
    return nullptr;
}

void *TChartAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}
