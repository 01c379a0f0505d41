#pragma once
// The texts of a string grid and what of them the views are told.
//
// The grid's cells are addressed by (column, row) from 0, row 0 and column 0 being the fixed header
// cells. To the views the model offers rows 1..RowCount-1 and columns 1.. as items, and row 0 and
// column 0 as header data, so that the fixed cells never scroll away and are never selected.
// Texts are kept for every row ever set, also beyond RowCount: lowering RowCount only hides rows.
//
// Changes made between BeginUpdate and EndUpdate reach the views at once at the end, so that
// filling a thousand rows does not make the views redo their work per cell.

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace rozuduzod {

class StringGridModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    StringGridModel(int column_count, int row_count, QObject* parent = nullptr);

    int ColCount() const { return column_count_; }
    int RowCount() const { return row_count_; }
    // At least the header row stays.
    void SetRowCount(int row_count);

    // The Shift-JIS text of a cell; empty for a cell never set.
    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, const std::string& text);
    // A cell's text as shown.
    QString CellText(int column, int row) const;

    void BeginUpdate();
    void EndUpdate();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    void NoteChangedRow(int row);
    // Tells the views what changed since they were last told.
    void Announce();
    void AnnounceRowCount();
    void AnnounceChangedRows();

    int column_count_;
    int row_count_;
    int announced_row_count_;
    std::vector<std::vector<std::string>> rows_;
    int update_depth_ = 0;
    // The rows whose texts changed since the last announcement; none when first > last.
    int first_changed_row_ = 0;
    int last_changed_row_ = -1;
};

}  // namespace rozuduzod
