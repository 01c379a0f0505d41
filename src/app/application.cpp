#include "application.hpp"

#include <QApplication>
#include <QHelpEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

#include "error_display.hpp"

namespace rozuduzod {
namespace {

// The look of the desktop's style, with the hint pause the program's users expect.
class HintPauseStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ToolTip_WakeUpDelay) {
            return Application::kHintPause;
        }
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

Application::Application() {
    QApplication::setApplicationName(QStringLiteral("rozuduzod"));
    QApplication::setDesktopFileName(QStringLiteral("rozuduzod"));
    // The file dialogs and the box's button speak the user's language, as the system's own do.
    if (platform_texts_.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&platform_texts_);
    }
    QApplication::setStyle(new HintPauseStyle(QApplication::style()->name()));
    qApp->installEventFilter(this);
}

QString Application::Title() const { return QApplication::applicationDisplayName(); }

void Application::SetTitle(const QString& title) { QApplication::setApplicationDisplayName(title); }

void Application::SetIcon(const QIcon& icon) { QApplication::setWindowIcon(icon); }

void Application::ShowException(const std::exception_ptr& error) const {
    ShowErrorBox(Title(), ErrorText(error));
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) {
        return false;
    }
    auto* const control = static_cast<QWidget*>(watched);
    if (control->toolTip().isEmpty()) {
        return false;  // the hint event goes on to the parent, which has none either
    }
    const auto* const help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), control->toolTip(), control, QRect(), hint_hide_pause_);
    event->accept();
    return true;
}

}  // namespace rozuduzod
