#include "HostTable.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QHeaderView>
#include <QLocale>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>

namespace corvelle::refhost::table {

namespace {

// Shows a price held as a number with two decimals, and edits it as one.
class MoneyDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant &value, const QLocale &locale) const override
    {
        if (value.typeId() == QMetaType::Double)
            return locale.toString(value.toDouble(), 'f', 2);
        return QStyledItemDelegate::displayText(value, locale);
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *box = qobject_cast<QDoubleSpinBox *>(editor)) {
            box->setDecimals(2);
            box->setMinimum(0); // no price is negative
        }
        return editor;
    }
};

// Refits the columns whenever the viewport changes size (the splitter or the window moved),
// and once after a burst of changes to the model (a refill appends its rows one by one).
class ColumnFitter : public QObject {
public:
    explicit ColumnFitter(QTableView *view) : QObject(view), view_(view) { view->viewport()->installEventFilter(this); }

    void schedule()
    {
        if (pending_)
            return;
        pending_ = true;
        QMetaObject::invokeMethod(
            this, [this] { fit(); }, Qt::QueuedConnection);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize && watched == view_->viewport())
            fit();
        return false;
    }

private:
    void fit()
    {
        pending_ = false;
        if (fitting_) // a scroll bar coming or going resizes the viewport again
            return;
        fitting_ = true;
        fitColumns(view_);
        fitting_ = false;
    }

    QTableView *view_;
    bool fitting_ = false, pending_ = false;
};

// The narrowest a column of sentences may be: its longest word on a line of its own.
int longestWord(const QTableView *view, int column)
{
    const QFontMetrics fm = view->fontMetrics();
    const QAbstractItemModel *model = view->model();
    int widest = 0;
    for (int r = 0; r < model->rowCount(); ++r) {
        const QString text = model->index(r, column).data().toString();
        for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            widest = std::max(widest, fm.horizontalAdvance(word));
    }
    return widest;
}

} // namespace

QString moneyText(double value) { return QLocale().toString(value, 'f', 2); }

QStandardItem *textItem(const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setData(text, SortRole);
    item->setEditable(false);
    return item;
}

// Every column may wrap; a sentence is a text item, named for what the column holds.
QStandardItem *sentenceItem(const QString &text) { return textItem(text); }

QStandardItem *numberItem(double value, const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setData(value, SortRole);
    item->setData(int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
    item->setEditable(false);
    return item;
}

QStandardItem *moneyItem(double value) { return numberItem(value, moneyText(value)); }

QStandardItem *editableMoneyItem(double value)
{
    auto *item = new QStandardItem;
    item->setData(value, Qt::EditRole);
    item->setData(value, SortRole);
    item->setData(int(Qt::AlignRight | Qt::AlignVCenter), Qt::TextAlignmentRole);
    return item;
}

QTableView *makeTable(QStandardItemModel *model, const QString &accessibleName, QWidget *parent)
{
    auto *proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(model);
    proxy->setSortRole(SortRole);
    auto *view = new QTableView(parent);
    view->setModel(proxy);
    view->setAccessibleName(accessibleName);
    view->setItemDelegate(new MoneyDelegate(view));
    view->setSortingEnabled(true);
    view->sortByColumn(-1, Qt::AscendingOrder); // the takeoff's own order until a header is clicked
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Tab goes on to the next control; the arrow keys and Home/End move between cells.
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(false);
    view->setAlternatingRowColors(true);
    view->setWordWrap(true);
    view->setTextElideMode(Qt::ElideNone);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    auto *fitter = new ColumnFitter(view);
    const auto refit = [fitter] { fitter->schedule(); };
    QObject::connect(model, &QStandardItemModel::modelReset, view, refit);
    QObject::connect(model, &QStandardItemModel::rowsInserted, view, refit);
    QObject::connect(model, &QStandardItemModel::dataChanged, view, refit);
    QObject::connect(proxy, &QSortFilterProxyModel::layoutChanged, view, [view] { view->resizeRowsToContents(); });
    return view;
}

void fitColumns(QTableView *view)
{
    const QAbstractItemModel *model = view->model();
    const int columns = model->columnCount();
    if (columns == 0)
        return;
    QHeaderView *header = view->horizontalHeader();
    // Numbers keep their width; the columns of words (left-aligned) share what is left and
    // wrap, each in proportion to its one-line width, so a long note does not squeeze the
    // item beside it into a tall narrow strip. None goes narrower than its header or its
    // longest word, so nothing is cut (the table scrolls instead).
    const auto isWords = [model](int c) {
        if (model->rowCount() == 0)
            return true;
        const int align = model->index(0, c).data(Qt::TextAlignmentRole).toInt();
        return !(align & Qt::AlignRight);
    };
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 2;
    std::vector<int> natural(columns), least(columns);
    std::vector<int> words;
    int fixed = 0, wanted = 0;
    for (int c = 0; c < columns; ++c) {
        view->resizeColumnToContents(c);
        natural[c] = header->sectionSize(c);
        least[c] = std::max(header->sectionSizeHint(c), longestWord(view, c) + margins);
        if (isWords(c)) {
            words.push_back(c);
            wanted += natural[c];
        } else {
            fixed += natural[c];
        }
    }
    if (words.empty())
        words.push_back(columns - 1);
    const int room = std::max(0, view->viewport()->width() - fixed);
    int given = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const int c = words[i];
        int width = wanted <= room ? natural[c] : int(double(room) * natural[c] / std::max(1, wanted));
        if (i + 1 == words.size())
            width = room - given; // the last takes what is left over
        width = std::max(width, least[c]);
        header->resizeSection(c, width);
        given += width;
    }
    view->resizeRowsToContents();
}

} // namespace corvelle::refhost::table
