// What assistive technology gets of a chart, which never takes the keyboard focus: its name,
// its shape as the description (TChart::describe) and the first series' samples as a table, one
// row per sample in ascending Y with the Y value first (for the heating curve: Тул, then Тко),
// so a screen-reader user can read every value without the mouse.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include <map>
#include <vector>

class TChart;
struct TChartPoint;

class TChartAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TChartAccessible(TChart *chart);
    ~TChartAccessible() override;

    QAccessible::Role role() const override { return QAccessible::Chart; }
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    // The samples of the first series in table order (ascending Y, ties in series order).
    static std::vector<TChartPoint> rows(const TChart *chart);

private:
    TChart *chart() const;
    mutable std::map<int, QAccessible::Id> m_cells;   // by child index; made when first asked for
};
