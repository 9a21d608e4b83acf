#include "grabs/qt/GrabsTableModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTableView>

#include "common/Prompter.h"
#include "common/qt/Codec.h"
#include "towerdata/NameOrder.h"

namespace chimeset {

void FillTableModel(QStandardItemModel& model, const Table& table) {
    model.clear();
    model.setSortRole(kSortRole);
    model.setColumnCount(static_cast<int>(table.columns.size()));
    QStringList headers;
    for (const std::string& column : table.columns) headers << FromWindows1252(column);
    model.setHorizontalHeaderLabels(headers);
    for (const auto& row : table.rows) {
        QList<QStandardItem*> items;
        for (const TableCell& cell : row) {
            auto* item = new QStandardItem(FromWindows1252(cell.text));
            item->setEditable(false);
            if (cell.numeric) {
                item->setData(cell.number, kSortRole);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            } else {
                item->setData(FromWindows1252(FoldCase(cell.text)), kSortRole);
            }
            items << item;
        }
        model.appendRow(items);
    }
}

Table TableFromModel(const QStandardItemModel& model, const Table& shape) {
    Table table{shape.name, shape.title, shape.columns, {}};
    for (int r = 0; r < model.rowCount(); ++r) {
        std::vector<TableCell> row;
        for (int c = 0; c < model.columnCount(); ++c) {
            const QStandardItem* item = model.item(r, c);
            row.push_back({item ? ToWindows1252(item->text()) : std::string(), 0, false});
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

QTableView* MakeTableView(QStandardItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(model);
    // The table's own order until the user clicks a heading.
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    return view;
}

void CopyTableToClipboard(const Table& table) {
    QGuiApplication::clipboard()->setText(FromWindows1252(TabSeparatedText(table)),
                                          QClipboard::Clipboard);
}

bool SaveTableAsCsv(const Table& table, const std::string& proposedName, Prompter& prompter) {
    FileDialogRequest request;
    request.title = "Save as CSV";
    request.initialPath = NativePath::FromText(proposedName);
    request.defaultExtension = "csv";
    request.filter = "CSV files (*.csv)|*.csv|All files (*.*)|*.*||";
    const auto path = prompter.AskSaveFileName(request);
    if (!path) return false;
    FileError error;
    if (!WriteCsvFile(*path, table, error)) {
        prompter.ShowFileError(error);
        return false;
    }
    return true;
}

}  // namespace chimeset
