#pragma once

#include <QString>

class QStandardItem;
class QStandardItemModel;
class QTableView;
class QWidget;

// The rules every table of the host's side tabs follows, in one place: Tab leaves the
// table (the arrow keys move between cells), the table has an accessible name, sentences
// wrap in their rows instead of hiding behind a tooltip, the columns of words share the room
// the numbers leave (none less than its longest word), numbers sort as numbers and
// prices show two decimals.
namespace corvelle::refhost::table {

inline constexpr int SortRole = 0x0100; // Qt::UserRole: numbers sort as numbers, not as their text

QString moneyText(double value); // "38.00", in the user's locale

QStandardItem *textItem(const QString &text);
QStandardItem *sentenceItem(const QString &text); // a note or warning: wraps in its row
QStandardItem *numberItem(double value, const QString &text);
QStandardItem *moneyItem(double value);
// An editable price: the number is its edit value, shown and edited with two decimals.
QStandardItem *editableMoneyItem(double value);

// A sortable view of `model` (in the model's order until a header is clicked) named
// `accessibleName` for screen readers.
QTableView *makeTable(QStandardItemModel *model, const QString &accessibleName, QWidget *parent);

// Fits the columns again: the table does on every change of its model or its size.
void fitColumns(QTableView *view);

} // namespace corvelle::refhost::table
