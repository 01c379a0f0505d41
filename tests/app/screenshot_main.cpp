// Takes the README's picture of the window: starts it in the current directory as the program
// starts, opens "Ruviz.dat" there through the real open dialog, and saves what the window shows.
//
// Usage: rozuduzod_screenshot OUTPUT.png   (run under a display, e.g. xvfb-run)

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTextStream>
#include <QtTest>

#include "application.hpp"
#include "locale_values.hpp"
#include "main_icon.hpp"
#include "modal_driver.hpp"
#include "rozuduzod_form.hpp"

namespace {

constexpr int kSettleTime = 500;

int Fail(const QString& why) {
    QTextStream(stderr) << "rozuduzod_screenshot: " << why << '\n';
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace rozuduzod;
    const LocaleValues locale = LocaleValues::FromUserLocale();
    QApplication qt_application(argc, argv);
    if (QApplication::arguments().size() != 2) {
        return Fail(QStringLiteral("usage: rozuduzod_screenshot OUTPUT.png"));
    }
    Application application;
    application.SetTitle(QStringLiteral("「ぽてりん」ﾃﾞｰﾀﾌｧｲﾙをｺﾝﾊﾞｰﾄ"));
    application.SetIcon(MainIcon());
    TRozudUzodForm window(application, locale);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return Fail(QStringLiteral("the window did not show"));
    }
    testing::ModalDriver driver;
    driver.Expect(
        testing::ChooseFile(QDir::current().absoluteFilePath(QStringLiteral("Ruviz.dat"))));
    QTest::mouseClick(window.OpenButton, Qt::LeftButton);
    if (driver.Pending() != 0 || !driver.Unexpected().isEmpty()) {
        return Fail(QStringLiteral("opening Ruviz.dat failed: ") + driver.Unexpected().join(' '));
    }
    QTest::qWait(kSettleTime);
    const QString output = QApplication::arguments().at(1);
    if (!window.grab().save(output)) {
        return Fail(QStringLiteral("cannot write ") + output);
    }
    return 0;
}
