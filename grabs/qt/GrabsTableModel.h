// A statistics or near-list table in a sortable table view, and the Copy and Save as CSV
// commands that both dialogs give it.
#pragma once

#include <QStandardItemModel>
#include <functional>

#include "common/qt/HelpKey.h"
#include "grabs/GrabsTables.h"

class QTableView;
class QWidget;

namespace chimeset {

class Prompter;

// The role a column sorts by: the cell's number, or its text folded for case.
inline constexpr int kSortRole = Qt::UserRole;
// The tower index of a near-list row, on its first cell.
inline constexpr int kTowerRole = Qt::UserRole + 1;

// Fills the model with the table's header and rows.
void FillTableModel(QStandardItemModel& model, const Table& table);
// The table as the model now shows it (sorted by the user), in Windows-1252.
Table TableFromModel(const QStandardItemModel& model, const Table& shape);

// A read-only, sortable table view over the model, rows selected whole.
QTableView* MakeTableView(QStandardItemModel* model, QWidget* parent);

// Copy: the table onto the clipboard, tab-separated.
void CopyTableToClipboard(const Table& table);
// Save as CSV: asks for the file (through the prompter) and writes it; a failure is told.
// False when nothing was written.
bool SaveTableAsCsv(const Table& table, const std::string& proposedName, Prompter& prompter);

}  // namespace chimeset
