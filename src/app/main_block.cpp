#include "main_block.hpp"

#include <QApplication>

#include "application.hpp"
#include "form_font.hpp"
#include "locale_values.hpp"
#include "main_icon.hpp"
#include "rozuduzod_form.hpp"

namespace rozuduzod {

int RunMainBlock(int& argc, char** argv, const std::function<void(QWidget&)>& before_show) {
    const LocaleValues locale = LocaleValues::FromUserLocale();
    QApplication qt_application(argc, argv);
    // The dialogs, boxes and hints speak the window's typeface, so one face serves the whole
    // program.
    QApplication::setFont(FormFont());
    Application application;
    application.SetTitle(QStringLiteral("「ぽてりん」ﾃﾞｰﾀﾌｧｲﾙをｺﾝﾊﾞｰﾄ"));
    application.SetIcon(MainIcon());
    TRozudUzodForm RozudUzodForm(application, locale);
    if (before_show) {
        before_show(RozudUzodForm);
    }
    RozudUzodForm.show();
    return QApplication::exec();
}

}  // namespace rozuduzod
