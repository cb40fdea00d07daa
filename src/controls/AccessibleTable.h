// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextTable.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

// A TTextTable for assistive tools: rows, columns, headers and cell texts.
// It either is a widget's own interface (a grid) or a part of a widget that
// draws several tables (a graph page); then the widget's interface owns it.
class TAccessibleTable : public QAccessibleInterface, public QAccessibleTableInterface
{
public:
    using TTableSource = std::function<const TTextTable *()>;

    // ownWidget: the table is the widget itself rather than a part of it.
    TAccessibleTable(QWidget *widget, TTableSource table, bool ownWidget);
    ~TAccessibleTable() override;

    bool isValid() const override;
    QObject *object() const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    const TTextTable *Table() const;
    // A cell's rectangle on the screen; the table's own where it has none.
    QRect CellScreenRect(int row, int column) const;

private:
    QPointer<QWidget> m_widget;
    TTableSource m_table;
    bool m_ownWidget;
    // The cells, made when first asked for; an assistive tool knows each by
    // its id, so the same cell must stay the same interface.
    mutable std::vector<QAccessible::Id> m_cells;
};

// Makes a widget that only draws (a TPaintBox) show the tables its picture
// holds; the owner keeps them with the widget.
class TAccessibleDrawing : public QAccessibleWidget
{
public:
    TAccessibleDrawing(QWidget *widget, std::function<const std::vector<TTextTable> *()> tables);
    ~TAccessibleDrawing() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    std::function<const std::vector<TTextTable> *()> m_tables;
    mutable std::vector<QAccessible::Id> m_children;
};
