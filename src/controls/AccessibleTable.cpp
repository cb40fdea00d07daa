// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleTable.h"

namespace {

// One cell: its text as its name, and where it stands (row and column
// headers) as its description.
class TAccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    TAccessibleCell(const TAccessibleTable *table, int row, int column) : m_table(table), m_row(row), m_column(column)
    {
    }

    bool isValid() const override { return m_table->isValid(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return table(); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        const TTextTable *table = m_table->Table();
        if (!table)
            return QString();
        switch (t) {
        case QAccessible::Name:
        case QAccessible::Value:
            return table->Cell ? table->Cell(m_row, m_column) : QString();
        case QAccessible::Description:
            return table->RowHeaders.value(m_row) + QStringLiteral(", ") + table->ColumnHeaders.value(m_column);
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return m_table->CellScreenRect(m_row, m_column); }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state = m_table->state();
        state.readOnly = true;
        const TTextTable *table = m_table->Table();
        if (table && table->IsFocused) {
            state.focusable = true;
            state.focused = table->IsFocused(m_row, m_column);
        }
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return const_cast<TAccessibleTable *>(m_table); }

    bool Of(const TAccessibleTable *table) const { return table == m_table; }

private:
    const TAccessibleTable *m_table;
    int m_row;
    int m_column;
};

QRect ScreenRect(const QWidget *widget, const QRect &rect)
{
    return QRect(widget->mapToGlobal(rect.topLeft()), rect.size());
}

void DeleteInterfaces(const std::vector<QAccessible::Id> &ids)
{
    for (const QAccessible::Id id : ids) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

} // namespace

TAccessibleTable::TAccessibleTable(QWidget *widget, TTableSource table, bool ownWidget)
    : m_widget(widget), m_table(std::move(table)), m_ownWidget(ownWidget)
{
}

TAccessibleTable::~TAccessibleTable()
{
    DeleteInterfaces(m_cells);
}

const TTextTable *TAccessibleTable::Table() const
{
    return m_widget ? m_table() : nullptr;
}

bool TAccessibleTable::isValid() const
{
    return Table() != nullptr;
}

QObject *TAccessibleTable::object() const
{
    return m_ownWidget ? m_widget.data() : nullptr;
}

QAccessibleInterface *TAccessibleTable::parent() const
{
    if (!m_widget)
        return nullptr;
    return QAccessible::queryAccessibleInterface(m_ownWidget ? m_widget->parentWidget() : m_widget.data());
}

int TAccessibleTable::rowCount() const
{
    const TTextTable *table = Table();
    return table ? int(table->RowHeaders.size()) : 0;
}

int TAccessibleTable::columnCount() const
{
    const TTextTable *table = Table();
    return table ? int(table->ColumnHeaders.size()) : 0;
}

int TAccessibleTable::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface *TAccessibleTable::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    const std::size_t index = std::size_t(row * columnCount() + column);
    if (m_cells.size() <= index)
        m_cells.resize(index + 1, 0);
    if (!m_cells[index])
        m_cells[index] = QAccessible::registerAccessibleInterface(new TAccessibleCell(this, row, column));
    return QAccessible::accessibleInterface(m_cells[index]);
}

QAccessibleInterface *TAccessibleTable::child(int index) const
{
    const int columns = columnCount();
    return columns > 0 && index >= 0 ? cellAt(index / columns, index % columns) : nullptr;
}

int TAccessibleTable::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *cell = dynamic_cast<const TAccessibleCell *>(child);
    if (!cell || !cell->Of(this))
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface *TAccessibleTable::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface *cell = child(i);
        if (cell->rect().contains(x, y))
            return cell;
    }
    return nullptr;
}

QString TAccessibleTable::text(QAccessible::Text t) const
{
    const TTextTable *table = Table();
    return table && t == QAccessible::Name ? table->Name : QString();
}

QString TAccessibleTable::columnDescription(int column) const
{
    const TTextTable *table = Table();
    return table ? table->ColumnHeaders.value(column) : QString();
}

QString TAccessibleTable::rowDescription(int row) const
{
    const TTextTable *table = Table();
    return table ? table->RowHeaders.value(row) : QString();
}

QRect TAccessibleTable::rect() const
{
    return m_widget ? ScreenRect(m_widget, m_widget->rect()) : QRect();
}

QRect TAccessibleTable::CellScreenRect(int row, int column) const
{
    const TTextTable *table = Table();
    if (!table || !table->CellRect)
        return rect();
    return ScreenRect(m_widget, table->CellRect(row, column));
}

QAccessible::State TAccessibleTable::state() const
{
    QAccessible::State state;
    state.readOnly = true;
    state.invisible = !m_widget || !m_widget->isVisible();
    return state;
}

void *TAccessibleTable::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface *>(this) : nullptr;
}

TAccessibleDrawing::TAccessibleDrawing(QWidget *widget, std::function<const std::vector<TTextTable> *()> tables)
    : QAccessibleWidget(widget, QAccessible::Chart), m_tables(std::move(tables))
{
}

TAccessibleDrawing::~TAccessibleDrawing()
{
    DeleteInterfaces(m_children);
}

int TAccessibleDrawing::childCount() const
{
    const std::vector<TTextTable> *tables = isValid() ? m_tables() : nullptr;
    return tables ? int(tables->size()) : 0;
}

QAccessibleInterface *TAccessibleDrawing::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (m_children.size() <= std::size_t(index))
        m_children.resize(std::size_t(index) + 1, 0);
    QAccessible::Id &id = m_children[std::size_t(index)];
    if (!id) {
        const auto source = [tables = m_tables, index]() -> const TTextTable * {
            const std::vector<TTextTable> *all = tables();
            return all && std::size_t(index) < all->size() ? &(*all)[std::size_t(index)] : nullptr;
        };
        id = QAccessible::registerAccessibleInterface(new TAccessibleTable(widget(), source, false));
    }
    return QAccessible::accessibleInterface(id);
}

int TAccessibleDrawing::indexOfChild(const QAccessibleInterface *child) const
{
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i] && QAccessible::accessibleInterface(m_children[i]) == child)
            return int(i);
    }
    return -1;
}
