// The window's program: reads the locale's values, sets up the application, creates the window and
// handles its events until it is closed.

#include <QApplication>

#include "application.hpp"
#include "locale_values.hpp"
#include "main_icon.hpp"
#include "rozuduzod_form.hpp"

int main(int argc, char* argv[]) {
    const rozuduzod::LocaleValues locale = rozuduzod::LocaleValues::FromUserLocale();
    QApplication qt_application(argc, argv);
    rozuduzod::Application application;
    application.SetTitle(QStringLiteral("「ぽてりん」ﾃﾞｰﾀﾌｧｲﾙをｺﾝﾊﾞｰﾄ"));
    application.SetIcon(rozuduzod::MainIcon());
    rozuduzod::TRozudUzodForm RozudUzodForm(application, locale);
    RozudUzodForm.show();
    return QApplication::exec();
}
