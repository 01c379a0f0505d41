// The program's start-up as its main block runs it, up to the window's first shown frame. The
// program itself has no such hook; this copy of its main block adds it.

#include <QApplication>

#include "application.hpp"
#include "first_frame.hpp"
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
    rozuduzod::bench::ReportFirstFrame(RozudUzodForm);
    RozudUzodForm.show();
    return QApplication::exec();
}
