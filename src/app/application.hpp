#pragma once
// The application object: the title that names the program in the task bar and captions its error
// boxes, the program's icon, how hints are timed, and the one place where the errors of every
// event handler are caught and shown.

#include <QIcon>
#include <QObject>
#include <QString>
#include <QTranslator>
#include <exception>
#include <utility>

namespace rozuduzod {

class Application final : public QObject {
    Q_OBJECT

  public:
    // How long a hint stays visible until the program says otherwise.
    static constexpr int kDefaultHintHidePause = 2500;
    // How long the mouse rests on a control before its hint shows.
    static constexpr int kHintPause = 500;

    // Needs the running QApplication; there is one Application for it.
    Application();

    QString Title() const;
    void SetTitle(const QString& title);
    void SetIcon(const QIcon& icon);
    int HintHidePause() const { return hint_hide_pause_; }
    void SetHintHidePause(int milliseconds) { hint_hide_pause_ = milliseconds; }

    // Runs an event handler. An error ends the handler where it occurs and is shown in the error
    // box; the program then goes on. No error leaves this call, so none reaches Qt.
    template <typename Handler>
    void RunHandler(Handler&& handler) noexcept {
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            ShowException(std::current_exception());
        }
    }

    // The error box for `error`, captioned with the title.
    void ShowException(const std::exception_ptr& error) const;

  protected:
    // Shows the hint of the control under the mouse for the hint hide pause.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTranslator platform_texts_;
    int hint_hide_pause_ = kDefaultHintHidePause;
};

}  // namespace rozuduzod
