#include "string_grid.hpp"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

#include "string_grid_model.hpp"

namespace rozuduzod {

// The fixed cell (0, 0), drawn like the other fixed cells over the view's corner.
class GridCorner final : public QWidget {
  public:
    GridCorner(const StringGridModel& model, QWidget* parent) : QWidget(parent), model_(model) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QStyleOptionHeader option;
        option.initFrom(this);
        option.rect = rect();
        option.text = model_.CellText(0, 0);
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        QPainter painter(this);
        style()->drawControl(QStyle::CE_Header, &option, &painter, this);
    }

  private:
    const StringGridModel& model_;
};

namespace {

// The fixed cells sit in the headers: they show texts, and their borders can be dragged.
void SetUpHeader(QHeaderView& header) {
    header.setSectionsClickable(false);
    header.setHighlightSections(false);
    header.setSectionResizeMode(QHeaderView::Interactive);
    header.setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header.setMinimumSectionSize(1);
}

}  // namespace

StringGrid::StringGrid(int column_count, int row_count, QWidget* parent)
    : QTableView(parent),
      model_(new StringGridModel(column_count, row_count, this)),
      corner_(new GridCorner(*model_, this)) {
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);  // Tab moves on to the next control
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    SetUpHeader(*horizontalHeader());
    SetUpHeader(*verticalHeader());
    connect(model_, &QAbstractItemModel::headerDataChanged, corner_,
            [this](Qt::Orientation orientation) {
                if (orientation == Qt::Horizontal) {
                    corner_->update();
                }
            });
}

int StringGrid::ColCount() const { return model_->ColCount(); }

int StringGrid::RowCount() const { return model_->RowCount(); }

void StringGrid::SetRowCount(int row_count) { model_->SetRowCount(row_count); }

const std::string& StringGrid::Cell(int column, int row) const { return model_->Cell(column, row); }

void StringGrid::SetCell(int column, int row, const std::string& text) {
    model_->SetCell(column, row, text);
}

int StringGrid::ColWidth(int column) const {
    return column == 0 ? verticalHeader()->width() : horizontalHeader()->sectionSize(column - 1);
}

void StringGrid::SetColWidth(int column, int width) {
    if (column == 0) {
        verticalHeader()->setFixedWidth(width);
    } else {
        horizontalHeader()->resizeSection(column - 1, width);
    }
}

int StringGrid::RowHeight(int row) const {
    return row == 0 ? horizontalHeader()->height() : verticalHeader()->sectionSize(row - 1);
}

void StringGrid::SetDefaultRowHeight(int height) {
    horizontalHeader()->setFixedHeight(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void StringGrid::updateGeometries() {
    QTableView::updateGeometries();
    // The headers have just been placed; the corner closes the gap where they meet.
    corner_->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(),
                         horizontalHeader()->height());
    corner_->raise();
}

StringGrid::UpdateBatch::UpdateBatch(StringGrid& grid) : grid_(grid) {
    grid_.model_->BeginUpdate();
}

StringGrid::UpdateBatch::~UpdateBatch() { grid_.model_->EndUpdate(); }

}  // namespace rozuduzod
