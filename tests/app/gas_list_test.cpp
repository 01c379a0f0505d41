// Reading the gas name list at start-up: absent, present, a directory, and locked by another
// process, whose error is shown before the window and leaves the dialogs without names.

#include <QDir>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app_test_support.hpp"
#include "lock_holder.hpp"
#include "modal_driver.hpp"
#include "shift_jis.hpp"
#include "string_grid.hpp"

namespace rozuduzod::testing {
namespace {

// What stands at "gas.dat" when the program starts.
constexpr int kAbsent = 0;
constexpr int kPresent = 1;
constexpr int kDirectory = 2;
constexpr int kLocked = 3;

// One record whose gas index is 2.
const QByteArray kOneRecord = "1998\r\n5\r\n17\r\n350.5\r\n30\r\n2\r\n1\r\n3000\r\n0\r\n";

}  // namespace

class GasListTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { application_ = std::make_unique<Application>(); }
    void cleanupTestCase() { application_.reset(); }

    void startUpReadsTheGasList_data() {
        QTest::addColumn<int>("gas_list");
        QTest::addColumn<QString>("box_text");
        QTest::addColumn<QString>("open_name");
        QTest::addColumn<QString>("save_name");
        QTest::addColumn<QString>("second_gas_name");
        const QString open_name = QStringLiteral("Ruviz.dat");
        const QString save_name = QStringLiteral("Diraz00.dat");
        QTest::newRow("absent") << kAbsent << QString() << open_name << save_name << QString();
        QTest::newRow("present") << kPresent << QString() << open_name << save_name
                                 << QStringLiteral(" 東口 ");
        QTest::newRow("a directory")
            << kDirectory << QString() << open_name << save_name << QString();
        QTest::newRow("locked by another process")
            << kLocked << QStringLiteral("I/O ｴﾗｰ (32)") << QString() << QString() << QString();
    }

    void startUpReadsTheGasList() {
        QFETCH(int, gas_list);
        QFETCH(QString, box_text);
        QFETCH(QString, open_name);
        QFETCH(QString, save_name);
        QFETCH(QString, second_gas_name);
        const WorkingDirectory directory;
        ModalDriver driver;
        const QByteArray names = SjisBytes("北口\r\n 東口 \r\n南口");
        std::unique_ptr<LockHolder> lock;
        switch (gas_list) {
            case kAbsent:
                break;
            case kPresent:
                WriteBytes(QStringLiteral("gas.dat"), names);
                break;
            case kDirectory:
                QVERIFY(QDir::current().mkdir(QStringLiteral("gas.dat")));
                break;
            case kLocked:
                WriteBytes(QStringLiteral("gas.dat"), names);
                lock = std::make_unique<LockHolder>("gas.dat", LOCK_EX);
                QVERIFY(lock->Locked());
                break;
        }

        BoxSeen box;
        if (!box_text.isEmpty()) {
            driver.Expect(AcknowledgeBox(&box));
        }
        const std::unique_ptr<TRozudUzodForm> window = CreateWindow(*application_);
        QCOMPARE(box.shown, !box_text.isEmpty());
        if (box.shown) {
            QCOMPARE(box.text, box_text);
            QCOMPARE(box.caption, kFullTitle);
            QCOMPARE(box.icon, QMessageBox::Critical);
            QVERIFY2(box.visible_windows.isEmpty(), qPrintable(box.visible_windows.join(',')));
        }
        lock.reset();

        // Whatever happened, the window opens complete up to the gas list.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->windowTitle(), kFullTitle);
        QCOMPARE(window->DirazStringGrid->Cell(9, 0), Sjis("燃費"));
        QCOMPARE(window->OpenDialog.FileName(), open_name);
        QCOMPARE(window->SaveDialog.FileName(), save_name);

        WriteBytes(QStringLiteral("one.dat"), kOneRecord);
        driver.Expect(ChooseFile(directory.FilePath(QStringLiteral("one.dat"))));
        QTest::mouseClick(window->OpenButton, Qt::LeftButton);
        QCOMPARE(QString::fromStdString(ShiftJisToUtf8(window->DirazStringGrid->Cell(6, 1))),
                 second_gas_name);
        QVERIFY2(driver.Unexpected().isEmpty(), qPrintable(driver.Unexpected().join('\n')));
        QCOMPARE(driver.Pending(), 0);
    }

  private:
    std::unique_ptr<Application> application_;
};

}  // namespace rozuduzod::testing

QTEST_MAIN(rozuduzod::testing::GasListTest)
#include "gas_list_test.moc"
