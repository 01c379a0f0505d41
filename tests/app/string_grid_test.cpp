// The grid stand-in: texts kept beyond RowCount, fixed cells as headers, ranges selectable, no
// editing, borders draggable, and a thousand rows filled with one round of view updates.

#include "string_grid.hpp"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "shift_jis.hpp"

namespace rozuduzod::testing {

class StringGridTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        grid_ = std::make_unique<StringGrid>(10, 100);
        grid_->resize(445, 319);
        grid_->SetDefaultRowHeight(14);
    }

    void cleanup() { grid_.reset(); }

    void textsLiveBeyondRowCount() {
        const QAbstractItemModel& view_model = *grid_->model();
        grid_->SetCell(3, 150, Sjis("ﾊｲｵｸ"));
        QCOMPARE(grid_->Cell(3, 150), Sjis("ﾊｲｵｸ"));
        QCOMPARE(view_model.rowCount(), 99);

        grid_->SetRowCount(151);
        QCOMPARE(view_model.rowCount(), 150);
        QCOMPARE(view_model.index(149, 2).data().toString(), QStringLiteral("ﾊｲｵｸ"));

        // Lowering RowCount hides the row; raising it shows the text again.
        grid_->SetRowCount(5);
        QCOMPARE(grid_->RowCount(), 5);
        QCOMPARE(view_model.rowCount(), 4);
        QCOMPARE(grid_->Cell(3, 150), Sjis("ﾊｲｵｸ"));
        grid_->SetRowCount(151);
        QCOMPARE(view_model.index(149, 2).data().toString(), QStringLiteral("ﾊｲｵｸ"));

        QVERIFY(grid_->Cell(9, 5000).empty());
    }

    void fixedCellsShowAsHeadersAndAreNeverSelected() {
        grid_->SetCell(0, 0, "No");
        grid_->SetCell(4, 0, Sjis("距離"));
        grid_->SetCell(0, 7, "7");
        const QAbstractItemModel& view_model = *grid_->model();
        QCOMPARE(view_model.columnCount(), 9);
        QCOMPARE(view_model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("距離"));
        QCOMPARE(view_model.headerData(6, Qt::Vertical).toString(), QStringLiteral("7"));
        QCOMPARE(view_model.headerData(7, Qt::Vertical).toString(), QString());

        grid_->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
        QHeaderView& header = *grid_->horizontalHeader();
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                          QPoint(header.sectionViewportPosition(3) + 5, 5));
        QHeaderView& side = *grid_->verticalHeader();
        QTest::mouseClick(side.viewport(), Qt::LeftButton, {},
                          QPoint(5, side.sectionViewportPosition(6) + 5));
        QVERIFY(!grid_->selectionModel()->hasSelection());

        // Cells (1, 1) to (3, 4) as one range.
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, CellCentre(0, 0));
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(2, 3));
        QCOMPARE(grid_->selectionModel()->selectedIndexes().size(), 12);
    }

    void cellsCannotBeEdited() {
        grid_->SetCell(2, 1, "5");
        grid_->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
        QTest::mouseDClick(grid_->viewport(), Qt::LeftButton, {}, CellCentre(1, 0));
        QTest::keyClick(grid_.get(), Qt::Key_F2);
        QTest::keyClicks(grid_.get(), QStringLiteral("9"));
        QVERIFY(grid_->findChildren<QLineEdit*>().isEmpty());
        QCOMPARE(grid_->Cell(2, 1), std::string("5"));
    }

    void bordersCanBeDragged() {
        grid_->SetColWidth(1, 35);
        grid_->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
        QHeaderView& header = *grid_->horizontalHeader();
        const int border = header.sectionViewportPosition(0) + header.sectionSize(0) - 1;
        QTest::mousePress(header.viewport(), Qt::LeftButton, {}, QPoint(border, 5));
        QTest::mouseMove(header.viewport(), QPoint(border + 20, 5));
        QTest::mouseRelease(header.viewport(), Qt::LeftButton, {}, QPoint(border + 20, 5));
        QCOMPARE(grid_->ColWidth(1), 55);

        QHeaderView& side = *grid_->verticalHeader();
        const int bottom = side.sectionViewportPosition(0) + side.sectionSize(0) - 1;
        QTest::mousePress(side.viewport(), Qt::LeftButton, {}, QPoint(5, bottom));
        QTest::mouseMove(side.viewport(), QPoint(5, bottom + 10));
        QTest::mouseRelease(side.viewport(), Qt::LeftButton, {}, QPoint(5, bottom + 10));
        QCOMPARE(grid_->RowHeight(1), 24);
    }

    void aBatchReachesTheViewOnce() {
        const QAbstractItemModel& view_model = *grid_->model();
        QSignalSpy rows_inserted(&view_model, &QAbstractItemModel::rowsInserted);
        QSignalSpy data_changed(&view_model, &QAbstractItemModel::dataChanged);
        {
            const StringGrid::UpdateBatch batch(*grid_);
            for (int row = 1; row <= 1000; ++row) {
                grid_->SetRowCount(row + 1);
                for (int column = 0; column < 10; ++column) {
                    grid_->SetCell(column, row, std::to_string(row * 10 + column));
                }
            }
            QCOMPARE(view_model.rowCount(), 99);
            QCOMPARE(rows_inserted.count() + data_changed.count(), 0);
        }
        QCOMPARE(rows_inserted.count(), 1);
        QCOMPARE(data_changed.count(), 1);
        QCOMPARE(view_model.rowCount(), 1000);
        QCOMPARE(view_model.index(999, 8).data().toString(), QStringLiteral("10009"));
    }

  private:
    // The centre of the item at view row `row` and view column `column` (grid row + 1, column + 1).
    QPoint CellCentre(int column, int row) const {
        return grid_->visualRect(grid_->model()->index(row, column)).center();
    }

    std::unique_ptr<StringGrid> grid_;
};

}  // namespace rozuduzod::testing

QTEST_MAIN(rozuduzod::testing::StringGridTest)
#include "string_grid_test.moc"
