// The application object: every handler's error ends that handler and is shown in one box, and
// the program goes on; hints keep the program's timing.

#include "application.hpp"

#include <QApplication>
#include <QStyle>
#include <QtTest>
#include <memory>
#include <new>
#include <stdexcept>

#include "errors.hpp"
#include "modal_driver.hpp"
#include "shift_jis.hpp"

namespace rozuduzod::testing {
namespace {

const QString kTitle = QStringLiteral("「ぽてりん」ﾃﾞｰﾀｺﾝﾊﾞｰﾄ  Ver 1.0");

// What a handler throws.
constexpr int kConvertError = 0;
constexpr int kFileError = 1;
constexpr int kEmptyMessage = 2;
constexpr int kOutOfMemory = 3;
constexpr int kLibraryError = 4;
constexpr int kForeignObject = 5;

[[noreturn]] void Throw(int kind) {
    switch (kind) {
        case kConvertError:
            throw EConvertError(Sjis("'3 ' は整数ではありません"));
        case kFileError:
            throw EInOutError(io_code::kSharingViolation);
        case kEmptyMessage:
            throw EConvertError(std::string());
        case kOutOfMemory:
            throw std::bad_alloc();
        case kLibraryError:
            throw std::runtime_error("vector::_M_default_append");
        default:
            throw kind;
    }
}

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        application_ = std::make_unique<Application>();
        application_->SetTitle(kTitle);
    }

    void cleanupTestCase() { application_.reset(); }

    void anErrorEndsItsHandlerAndIsShown_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("double-byte end gets a full stop")
            << kConvertError << QStringLiteral("'3 ' は整数ではありません.");
        QTest::newRow("')' end gets none") << kFileError << QStringLiteral("I/O ｴﾗｰ (32)");
        QTest::newRow("empty message stays empty") << kEmptyMessage << QString();
        QTest::newRow("out of memory") << kOutOfMemory << QStringLiteral("メモリが不足しています.");
        QTest::newRow("library error")
            << kLibraryError << QStringLiteral("vector::_M_default_append.");
        QTest::newRow("not an exception")
            << kForeignObject << QStringLiteral("予期しないｴﾗｰが発生しました.");
    }

    void anErrorEndsItsHandlerAndIsShown() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        ModalDriver driver;
        BoxSeen box;
        driver.Expect(AcknowledgeBox(&box));
        bool handler_went_past_the_error = false;
        application_->RunHandler([&] {
            Throw(kind);
            handler_went_past_the_error = true;
        });
        QVERIFY(!handler_went_past_the_error);
        QVERIFY(box.shown);
        QCOMPARE(box.text, text);
        QCOMPARE(box.caption, kTitle);
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.button_count, 1);
        QCOMPARE(box.modality, Qt::ApplicationModal);
    }

    void aHandlerWithoutErrorShowsNothing() {
        ModalDriver driver;
        int runs = 0;
        application_->RunHandler([&] { ++runs; });
        QCOMPARE(runs, 1);
        QTest::qWait(50);
        QVERIFY(driver.Unexpected().isEmpty());
    }

    void theActiveWindowComesBackAfterTheBox() {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ModalDriver driver;
        driver.Expect(AcknowledgeBox(nullptr));
        application_->RunHandler([] { Throw(kFileError); });
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    }

    void hintsShowAfterHalfASecondAndStayAsSet() {
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 500);
        const Application fresh;
        QCOMPARE(fresh.HintHidePause(), 2500);
    }

  private:
    std::unique_ptr<Application> application_;
};

}  // namespace rozuduzod::testing

QTEST_MAIN(rozuduzod::testing::ApplicationTest)
#include "application_test.moc"
