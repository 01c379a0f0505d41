#pragma once
// Plays the user in the modal windows that a test's click opens. A modal dialog or box runs its
// own event loop, so the test cannot answer it after the click returns: the driver watches from a
// timer and answers each modal window that opens with the next expected action, in order. A modal
// window that nobody expected is recorded and closed, so that a test never hangs on it.

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QFileDialog;

namespace rozuduzod::testing {

// What an error box showed.
struct BoxSeen {
    bool shown = false;
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    int button_count = 0;
    Qt::WindowModality modality = Qt::NonModal;
    // The top-level windows other than the box that were visible while it was open.
    QStringList visible_windows;
};

// What a file dialog offered when it opened.
struct DialogSeen {
    bool shown = false;
    QString file_name;  // the text of the file name box
    QString directory;
    QString filter;
};

class ModalDriver {
  public:
    using Action = std::function<void(QWidget* modal)>;

    ModalDriver();
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    void Expect(Action action);

    // Modal windows that opened with no action waiting for them, by caption and text.
    const QStringList& Unexpected() const { return unexpected_; }
    // Actions whose modal window never opened.
    int Pending() const { return static_cast<int>(actions_.size()); }

  private:
    void Poll();

    QTimer timer_;
    std::deque<Action> actions_;
    QPointer<QWidget> candidate_;
    QPointer<QWidget> last_answered_;
    QStringList unexpected_;
};

// Actions for ModalDriver::Expect.

// Enters `file_name` in the file dialog's name box and confirms it.
ModalDriver::Action ChooseFile(const QString& file_name, DialogSeen* seen = nullptr);
// Cancels the file dialog.
ModalDriver::Action CancelFileDialog(DialogSeen* seen = nullptr);
// Records what a message box shows and closes it with OK.
ModalDriver::Action AcknowledgeBox(BoxSeen* seen);
// Answers a question box with `button`.
ModalDriver::Action AnswerBox(QMessageBox::StandardButton button, BoxSeen* seen = nullptr);

}  // namespace rozuduzod::testing
