#include "string_grid_model.hpp"

#include <algorithm>
#include <cassert>

#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

// A fixed cell's text sits where a grid's text does: at the left, centred in the row's height.
constexpr Qt::Alignment kCellAlignment = Qt::AlignLeft | Qt::AlignVCenter;

const std::string kEmptyText;

}  // namespace

StringGridModel::StringGridModel(int column_count, int row_count, QObject* parent)
    : QAbstractTableModel(parent),
      column_count_(column_count),
      row_count_(std::max(row_count, 1)),
      announced_row_count_(row_count_) {
    assert(column_count >= 1);
}

void StringGridModel::SetRowCount(int row_count) {
    row_count_ = std::max(row_count, 1);
    if (update_depth_ == 0) {
        Announce();
    }
}

const std::string& StringGridModel::Cell(int column, int row) const {
    if (column < 0 || column >= column_count_ || row < 0 ||
        static_cast<size_t>(row) >= rows_.size()) {
        return kEmptyText;
    }
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void StringGridModel::SetCell(int column, int row, const std::string& text) {
    assert(column >= 0 && column < column_count_ && row >= 0);
    if (static_cast<size_t>(row) >= rows_.size()) {
        rows_.resize(static_cast<size_t>(row) + 1,
                     std::vector<std::string>(static_cast<size_t>(column_count_)));
    }
    rows_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
    NoteChangedRow(row);
    if (update_depth_ == 0) {
        Announce();
    }
}

QString StringGridModel::CellText(int column, int row) const {
    return QString::fromStdString(ShiftJisToUtf8(Cell(column, row)));
}

void StringGridModel::BeginUpdate() { ++update_depth_; }

void StringGridModel::EndUpdate() {
    assert(update_depth_ > 0);
    if (--update_depth_ == 0) {
        Announce();
    }
}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : announced_row_count_ - 1;
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : column_count_ - 1;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return CellText(index.column() + 1, index.row() + 1);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(kCellAlignment);
        default:
            return {};
    }
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    switch (role) {
        case Qt::DisplayRole:
            return orientation == Qt::Horizontal ? CellText(section + 1, 0)
                                                 : CellText(0, section + 1);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(kCellAlignment);
        default:
            return {};
    }
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void StringGridModel::NoteChangedRow(int row) {
    if (first_changed_row_ > last_changed_row_) {
        first_changed_row_ = last_changed_row_ = row;
    } else {
        first_changed_row_ = std::min(first_changed_row_, row);
        last_changed_row_ = std::max(last_changed_row_, row);
    }
}

void StringGridModel::Announce() {
    AnnounceRowCount();
    AnnounceChangedRows();
}

void StringGridModel::AnnounceRowCount() {
    // Item row i is grid row i + 1.
    if (row_count_ > announced_row_count_) {
        beginInsertRows(QModelIndex(), announced_row_count_ - 1, row_count_ - 2);
        announced_row_count_ = row_count_;
        endInsertRows();
    } else if (row_count_ < announced_row_count_) {
        beginRemoveRows(QModelIndex(), row_count_ - 1, announced_row_count_ - 2);
        announced_row_count_ = row_count_;
        endRemoveRows();
    }
}

void StringGridModel::AnnounceChangedRows() {
    const int first = first_changed_row_;
    const int last = last_changed_row_;
    first_changed_row_ = 0;
    last_changed_row_ = -1;
    const bool has_item_columns = column_count_ > 1;
    if (first == 0 && last >= 0 && has_item_columns) {
        emit headerDataChanged(Qt::Horizontal, 0, column_count_ - 2);
    }
    // Rows beyond RowCount are told when they come into view.
    const int first_item_row = std::max(first, 1) - 1;
    const int last_item_row = std::min(last, row_count_ - 1) - 1;
    if (first_item_row > last_item_row) {
        return;
    }
    emit headerDataChanged(Qt::Vertical, first_item_row, last_item_row);
    if (has_item_columns) {
        emit dataChanged(index(first_item_row, 0), index(last_item_row, column_count_ - 2),
                         {Qt::DisplayRole});
    }
}

}  // namespace rozuduzod
