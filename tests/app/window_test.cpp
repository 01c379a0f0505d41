// The window as its user meets it: start-up state, opening and saving through the real dialogs,
// errors in the box, access keys and closing.

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>
#include <array>
#include <memory>

#include "app_test_support.hpp"
#include "modal_driver.hpp"
#include "shift_jis.hpp"
#include "string_grid.hpp"

namespace rozuduzod::testing {
namespace {

const QString kOpenHint = QStringLiteral("「ぽてりん」のﾃﾞｰﾀﾌｧｲﾙ(Ruviz.dat)ﾌｧｲﾙを開きます。");
const QString kSaveHint = QStringLiteral("表示されている変換後ﾃﾞｰﾀを保存(Diraz0?.dat)します。");
const QString kTenkiHint = QStringLiteral("保存ﾃﾞｰﾀの「天気」を設定してください。");

constexpr int kSampleRecords = 12;
constexpr int kCloseTimeout = 5000;

// A grid row as the user reads it, columns 0 to 9.
using GridRow = std::array<const char*, 10>;

QString GridText(const StringGrid& grid, int column, int row) {
    return QString::fromStdString(ShiftJisToUtf8(grid.Cell(column, row)));
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { application_ = std::make_unique<Application>(); }
    void cleanupTestCase() { application_.reset(); }

    void init() {
        directory_ = std::make_unique<WorkingDirectory>();
        driver_ = std::make_unique<ModalDriver>();
    }

    void cleanup() {
        window_.reset();
        QVERIFY2(driver_->Unexpected().isEmpty(), qPrintable(driver_->Unexpected().join('\n')));
        QCOMPARE(driver_->Pending(), 0);
        driver_.reset();
        directory_.reset();
    }

    void startUpTexts() {
        QVERIFY(ShowWindow());
        QCOMPARE(window_->windowTitle(), kFullTitle);
        QCOMPARE(application_->Title(), kFullTitle);
        const StringGrid& grid = *window_->DirazStringGrid;
        QCOMPARE(grid.ColCount(), 10);
        QCOMPARE(grid.RowCount(), 100);
        const GridRow header = {"No",     "年",       "月",       "日",   "距離",
                                "給油量", "ガソリン", "スタンド", "金額", "燃費"};
        for (int column = 0; column < 10; ++column) {
            QCOMPARE(GridText(grid, column, 0), QString::fromUtf8(header[column]));
        }
        // The fixed row is what the view shows above the columns.
        for (int column = 1; column < 10; ++column) {
            QCOMPARE(grid.model()->headerData(column - 1, Qt::Horizontal).toString(),
                     QString::fromUtf8(header[column]));
        }
        QCOMPARE(grid.model()->rowCount(), 99);
        for (int row = 1; row < 100; ++row) {
            for (int column = 0; column < 10; ++column) {
                QVERIFY(grid.Cell(column, row).empty());
            }
        }
        QCOMPARE(window_->TenkiEdit->text(), QStringLiteral("晴れ"));
        QCOMPARE(window_->TenkiLabel->text(), QStringLiteral("天気"));
        QCOMPARE(window_->OpenButton->text(), QStringLiteral("開く(&O)"));
        QCOMPARE(window_->SaveButton->text(), QStringLiteral("保存(&S)"));
        QCOMPARE(window_->OpenDialog.FileName(), QStringLiteral("Ruviz.dat"));
        QCOMPARE(window_->SaveDialog.FileName(), QStringLiteral("Diraz00.dat"));
        QVERIFY(window_->windowIcon().availableSizes().contains(QSize(32, 32)));
        QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    void startUpLayout() {
        QVERIFY(ShowWindow());
        QCOMPARE(window_->size(), QSize(445, 360));
        const QRect screen = window_->screen()->geometry();
        // Centred before the frame is known: off by no more than the frame's width.
        const int frame = window_->geometry().left() - window_->frameGeometry().left();
        const QPoint off_centre = window_->frameGeometry().center() - screen.center();
        QVERIFY2(qAbs(off_centre.x()) <= frame + 1 && qAbs(off_centre.y()) <= frame + 1,
                 qPrintable(QStringLiteral("%1, %2").arg(off_centre.x()).arg(off_centre.y())));
        QCOMPARE(window_->TopPanel->geometry(), QRect(0, 0, 445, 41));
        QCOMPARE(window_->OpenButton->geometry(), QRect(16, 8, 75, 25));
        QCOMPARE(window_->SaveButton->geometry(), QRect(104, 8, 75, 25));
        QCOMPARE(window_->TenkiLabel->geometry(), QRect(200, 14, 24, 12));
        QCOMPARE(window_->TenkiEdit->geometry(), QRect(232, 10, 41, 20));
        QCOMPARE(window_->DirazStringGrid->geometry(), QRect(0, 41, 445, 319));

        const StringGrid& grid = *window_->DirazStringGrid;
        const std::array<int, 10> widths = {25, 35, 20, 20, 45, 45, 50, 80, 50, 45};
        for (int column = 0; column < 10; ++column) {
            QCOMPARE(grid.ColWidth(column), widths[column]);
        }
        for (int row = 0; row < 100; ++row) {
            QCOMPARE(grid.RowHeight(row), 14);
        }

        // The panel keeps its height and stretches; the grid takes the rest.
        window_->resize(600, 500);
        QTRY_COMPARE(window_->DirazStringGrid->geometry(), QRect(0, 41, 600, 459));
        QCOMPARE(window_->TopPanel->geometry(), QRect(0, 0, 600, 41));
        QCOMPARE(window_->OpenButton->geometry(), QRect(16, 8, 75, 25));
    }

    void fontIsJapaneseGothicOfTwelvePixels() {
        QVERIFY(ShowWindow());
        const QFont font = window_->DirazStringGrid->font();
        QCOMPARE(font.families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(font.families().value(1), QStringLiteral("IPAPGothic"));
        QCOMPARE(font.pixelSize(), 12);
        QCOMPARE(window_->OpenButton->font(), font);
        const QString used = QFontInfo(window_->TenkiEdit->font()).family();
        QVERIFY2(QFontDatabase::writingSystems(used).contains(QFontDatabase::Japanese),
                 qPrintable(used));
    }

    void hintsOnlyOnButtonsAndEditBox() {
        QVERIFY(ShowWindow());
        const QHash<QString, QString> hints = {{QStringLiteral("OpenButton"), kOpenHint},
                                               {QStringLiteral("SaveButton"), kSaveHint},
                                               {QStringLiteral("TenkiEdit"), kTenkiHint}};
        QList<QWidget*> widgets = window_->findChildren<QWidget*>();
        widgets.append(window_.get());
        for (QWidget* widget : widgets) {
            QCOMPARE(widget->toolTip(), hints.value(widget->objectName()));
        }
        QCOMPARE(application_->HintHidePause(), 10000);

        ShowHintOver(window_->SaveButton);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), kSaveHint);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        ShowHintOver(window_->TenkiLabel);
        ShowHintOver(window_->DirazStringGrid->viewport());
        QVERIFY(!QToolTip::isVisible());
    }

    void tabOrderRunsThroughPanelThenGrid() {
        QVERIFY(ShowWindow());
        QCOMPARE(QApplication::focusWidget(), window_->OpenButton);
        const std::array<QWidget*, 4> order = {window_->SaveButton, window_->TenkiEdit,
                                               window_->DirazStringGrid, window_->OpenButton};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void openingTheSampleShowsEveryRecord() {
        WriteBytes(QStringLiteral("gas.dat"), ReadBytes(ExampleFile(QStringLiteral("gas.dat"))));
        QVERIFY(ShowWindow());
        DialogSeen offered;
        OpenSample(&offered);
        QCOMPARE(offered.file_name, QStringLiteral("Ruviz.dat"));
        QCOMPARE(offered.directory, QDir::currentPath());
        QCOMPARE(offered.filter, QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ (*.dat)"));

        const StringGrid& grid = *window_->DirazStringGrid;
        QCOMPARE(grid.RowCount(), kSampleRecords + 1);
        QCOMPARE(grid.model()->rowCount(), kSampleRecords);
        const std::vector<std::pair<int, GridRow>> rows = {
            {1,
             {"1", "1996", "6", "2", " 412.3", " 35.20", "中央通り", "レギュラー", "3696",
              "11.71"}},
            {5, {"5", "1997", "2", "9", " 367.2", " 30.60", "港町", "軽油", "2509", "12.00"}},
            {12,
             {"12", "1998", "5", "17", " 350.5", " 30.00", "中央通り", "レギュラー", "3000",
              "11.68"}},
        };
        for (const auto& [row, texts] : rows) {
            for (int column = 0; column < 10; ++column) {
                QCOMPARE(GridText(grid, column, row), QString::fromUtf8(texts[column]));
            }
        }
        // What the view shows: the record number in the fixed column, the values beside it.
        QCOMPARE(grid.model()->headerData(11, Qt::Vertical).toString(), QStringLiteral("12"));
        QCOMPARE(grid.model()->index(11, 6).data().toString(), QStringLiteral("レギュラー"));

        // The confirmed path is offered the next time.
        QCOMPARE(window_->OpenDialog.FileName(), ExampleFile(QStringLiteral("Ruviz.dat")));
        driver_->Expect(CancelFileDialog(&offered));
        QTest::mouseClick(window_->OpenButton, Qt::LeftButton);
        QCOMPARE(offered.file_name, QStringLiteral("Ruviz.dat"));
        QCOMPARE(offered.directory, QStringLiteral(ROZUDUZOD_EXAMPLES_DIR));
    }

    void savingWritesTheConvertedLog_data() {
        QTest::addColumn<QString>("weather");
        QTest::newRow("weather as it starts") << QString();
        QTest::newRow("weather typed") << QStringLiteral("曇り");
    }

    void savingWritesTheConvertedLog() {
        QFETCH(QString, weather);
        WriteBytes(QStringLiteral("gas.dat"), ReadBytes(ExampleFile(QStringLiteral("gas.dat"))));
        QVERIFY(ShowWindow());
        OpenSample();
        QByteArray expected = ReadBytes(ExampleFile(QStringLiteral("Diraz00.expected.dat")));
        if (!weather.isEmpty()) {
            // Japanese text arrives from the input method, committed in one piece.
            window_->TenkiEdit->selectAll();
            QTest::keyClick(window_->TenkiEdit, Qt::Key_Backspace);
            QInputMethodEvent commit;
            commit.setCommitString(weather);
            QApplication::sendEvent(window_->TenkiEdit, &commit);
            expected.replace(SjisBytes("晴れ"),
                             QByteArray::fromStdString(Sjis(weather.toStdString())));
        }
        DialogSeen offered;
        driver_->Expect(ChooseFile(directory_->FilePath(QStringLiteral("Out.dat")), &offered));
        QTest::mouseClick(window_->SaveButton, Qt::LeftButton);
        QCOMPARE(offered.file_name, QStringLiteral("Diraz00.dat"));
        QCOMPARE(offered.filter, QStringLiteral("全てのﾌｧｲﾙ (*)"));
        QCOMPARE(ReadBytes(QStringLiteral("Out.dat")), expected);
        QCOMPARE(window_->SaveDialog.FileName(), directory_->FilePath(QStringLiteral("Out.dat")));
    }

    void openErrorIsShownAndTheProgramGoesOn() {
        WriteBytes(QStringLiteral("gas.dat"), ReadBytes(ExampleFile(QStringLiteral("gas.dat"))));
        QVERIFY(ShowWindow());
        OpenSample();
        BoxSeen box;
        driver_->Expect(ChooseFile(QStringLiteral("missing.dat")));
        driver_->Expect(AcknowledgeBox(&box));
        QTest::mouseClick(window_->OpenButton, Qt::LeftButton);
        QVERIFY(box.shown);
        QCOMPARE(box.text, QStringLiteral("ﾌｧｲﾙが見つかりません."));
        QCOMPARE(box.caption, kFullTitle);
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.button_count, 1);
        QCOMPARE(box.modality, Qt::ApplicationModal);

        // The grid still shows the earlier file, while no record counts any more.
        QVERIFY(window_->isVisible());
        QCOMPARE(window_->DirazStringGrid->RowCount(), kSampleRecords + 1);
        QCOMPARE(GridText(*window_->DirazStringGrid, 1, 12), QStringLiteral("1998"));
        SaveAs(QStringLiteral("Out.dat"));
        QCOMPARE(ReadBytes(QStringLiteral("Out.dat")),
                 QByteArray("[DirazData]\r\nDataCount=0\r\n"));

        OpenSample();
        SaveAs(QStringLiteral("Out.dat"));
        QCOMPARE(ReadBytes(QStringLiteral("Out.dat")),
                 ReadBytes(ExampleFile(QStringLiteral("Diraz00.expected.dat"))));
    }

    void saveErrorIsShownAndWritesNothing() {
        QVERIFY(ShowWindow());
        OpenSample();
        window_->TenkiEdit->setText(QStringLiteral("晴れ☃"));
        BoxSeen box;
        driver_->Expect(ChooseFile(directory_->FilePath(QStringLiteral("Out.dat"))));
        driver_->Expect(AcknowledgeBox(&box));
        QTest::mouseClick(window_->SaveButton, Qt::LeftButton);
        QCOMPARE(box.text, QStringLiteral("天気に Shift-JIS で表せない文字があります."));
        QCOMPARE(box.caption, kFullTitle);
        QVERIFY(!QFile::exists(QStringLiteral("Out.dat")));
    }

    void cancellingADialogChangesNothing() {
        QVERIFY(ShowWindow());
        OpenSample();
        const QString opened = window_->OpenDialog.FileName();
        driver_->Expect(CancelFileDialog());
        QTest::mouseClick(window_->OpenButton, Qt::LeftButton);
        QCOMPARE(window_->OpenDialog.FileName(), opened);
        QCOMPARE(window_->DirazStringGrid->RowCount(), kSampleRecords + 1);
        QCOMPARE(GridText(*window_->DirazStringGrid, 0, 12), QStringLiteral("12"));

        driver_->Expect(CancelFileDialog());
        QTest::mouseClick(window_->SaveButton, Qt::LeftButton);
        QVERIFY(QDir::current().isEmpty());
        QCOMPARE(window_->SaveDialog.FileName(), QStringLiteral("Diraz00.dat"));

        // The records still count after both cancels.
        SaveAs(QStringLiteral("Out.dat"));
        QVERIFY(ReadBytes(QStringLiteral("Out.dat")).startsWith("[DirazData]\r\nDataCount=12\r\n"));
    }

    void saveAsksBeforeReplacingAFile() {
        QVERIFY(ShowWindow());
        const QString path = directory_->FilePath(QStringLiteral("Out.dat"));
        WriteBytes(path, "earlier");
        BoxSeen question;
        driver_->Expect(ChooseFile(path));
        driver_->Expect(AnswerBox(QMessageBox::No, &question));
        driver_->Expect(CancelFileDialog());
        QTest::mouseClick(window_->SaveButton, Qt::LeftButton);
        QVERIFY(question.shown);
        QVERIFY2(question.text.contains(QStringLiteral("Out.dat")), qPrintable(question.text));
        QCOMPARE(ReadBytes(path), QByteArray("earlier"));

        driver_->Expect(ChooseFile(path));
        driver_->Expect(AnswerBox(QMessageBox::Yes));
        QTest::mouseClick(window_->SaveButton, Qt::LeftButton);
        QCOMPARE(ReadBytes(path), QByteArray("[DirazData]\r\nDataCount=0\r\n"));
    }

    void accessKeysPressTheButtons_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("filter");
        QTest::newRow("Alt+O opens") << int(Qt::Key_O) << QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ (*.dat)");
        QTest::newRow("Alt+S saves") << int(Qt::Key_S) << QStringLiteral("全てのﾌｧｲﾙ (*)");
    }

    void accessKeysPressTheButtons() {
        QFETCH(int, key);
        QFETCH(QString, filter);
        QVERIFY(ShowWindow());
        DialogSeen seen;
        driver_->Expect(CancelFileDialog(&seen));
        QTest::keyClick(window_.get(), static_cast<Qt::Key>(key), Qt::AltModifier);
        // The key presses the button as a click does, released a moment later.
        QTRY_VERIFY(seen.shown);
        QCOMPARE(seen.filter, filter);
    }

    void closingEndsWithoutAQuestion() {
        QVERIFY(ShowWindow());
        OpenSample();
        // The program's event loop ends when the window closes; should it not, the test ends it.
        bool closed = false;
        QTimer::singleShot(0, window_.get(), [&] { closed = window_->close(); });
        QTimer::singleShot(kCloseTimeout, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(closed);
        QVERIFY(!window_->isVisible());
    }

  private:
    bool ShowWindow() {
        window_ = CreateWindow(*application_);
        window_->show();
        return QTest::qWaitForWindowActive(window_.get());
    }

    void OpenSample(DialogSeen* offered = nullptr) {
        driver_->Expect(ChooseFile(ExampleFile(QStringLiteral("Ruviz.dat")), offered));
        QTest::mouseClick(window_->OpenButton, Qt::LeftButton);
    }

    void SaveAs(const QString& name) {
        const QString path = directory_->FilePath(name);
        driver_->Expect(ChooseFile(path));
        if (QFile::exists(path)) {
            driver_->Expect(AnswerBox(QMessageBox::Yes));
        }
        QTest::mouseClick(window_->SaveButton, Qt::LeftButton);
    }

    static void ShowHintOver(QWidget* widget) {
        const QPoint inside = widget->rect().center();
        QHelpEvent event(QEvent::ToolTip, inside, widget->mapToGlobal(inside));
        QApplication::sendEvent(widget, &event);
    }

    std::unique_ptr<Application> application_;
    std::unique_ptr<WorkingDirectory> directory_;
    std::unique_ptr<ModalDriver> driver_;
    std::unique_ptr<TRozudUzodForm> window_;
};

}  // namespace rozuduzod::testing

QTEST_MAIN(rozuduzod::testing::WindowTest)
#include "window_test.moc"
