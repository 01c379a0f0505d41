#pragma once
// A grid of texts with one fixed header row and one fixed header column, as the fill-up records
// are shown: cells are set by (column, row), RowCount counts the header row, and the user may
// select ranges and drag row and column borders but not edit. The source log reader writes into it
// through the cell sink.

#include <QTableView>
#include <string>

#include "cell_sink.hpp"

namespace rozuduzod {

class StringGridModel;
class GridCorner;

class StringGrid final : public QTableView, public CellSink {
    Q_OBJECT

  public:
    StringGrid(int column_count, int row_count, QWidget* parent = nullptr);

    int ColCount() const;
    int RowCount() const;
    void SetRowCount(int row_count) override;

    // The Shift-JIS text of a cell, also of a row beyond RowCount; empty for a cell never set.
    const std::string& Cell(int column, int row) const;
    void SetCell(int column, int row, const std::string& text) override;

    int ColWidth(int column) const;
    void SetColWidth(int column, int width);
    int RowHeight(int row) const;
    // The height of every row, the header row included.
    void SetDefaultRowHeight(int height);

    // Holds back what the view shows of the changes made while it lives, and shows them all when
    // it ends, however it ends.
    class UpdateBatch {
      public:
        explicit UpdateBatch(StringGrid& grid);
        ~UpdateBatch();
        UpdateBatch(const UpdateBatch&) = delete;
        UpdateBatch& operator=(const UpdateBatch&) = delete;

      private:
        StringGrid& grid_;
    };

  protected:
    void updateGeometries() override;

  private:
    StringGridModel* model_;
    GridCorner* corner_;
};

}  // namespace rozuduzod
