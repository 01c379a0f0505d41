#include "modal_driver.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QtTest>

namespace rozuduzod::testing {
namespace {

constexpr int kPollInterval = 10;

QString Describe(QWidget* modal) {
    if (auto* const box = qobject_cast<QMessageBox*>(modal)) {
        return box->windowTitle() + QStringLiteral(": ") + box->text();
    }
    return QString::fromLatin1(modal->metaObject()->className()) + QStringLiteral(": ") +
           modal->windowTitle();
}

QFileDialog& AsFileDialog(QWidget* modal) {
    auto* const dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) {
        qFatal("expected a file dialog, got %s", qPrintable(Describe(modal)));
    }
    return *dialog;
}

QMessageBox& AsMessageBox(QWidget* modal) {
    auto* const box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
        qFatal("expected a message box, got %s", qPrintable(Describe(modal)));
    }
    return *box;
}

QLineEdit& FileNameBox(QFileDialog& dialog) {
    auto* const edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit == nullptr) {
        qFatal("the file dialog has no file name box");
    }
    return *edit;
}

QAbstractButton& DialogButton(QFileDialog& dialog, QDialogButtonBox::ButtonRole role) {
    auto* const buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == role) {
            return *button;
        }
    }
    qFatal("the file dialog has no button of role %d", static_cast<int>(role));
}

void Record(QFileDialog& dialog, DialogSeen* seen) {
    if (seen != nullptr) {
        seen->shown = true;
        seen->file_name = FileNameBox(dialog).text();
        seen->directory = dialog.directory().absolutePath();
        seen->filter = dialog.selectedNameFilter();
    }
}

void Record(QMessageBox& box, BoxSeen* seen) {
    if (seen == nullptr) {
        return;
    }
    seen->shown = true;
    seen->text = box.text();
    seen->caption = box.windowTitle();
    seen->icon = box.icon();
    seen->modality = box.windowModality();
    seen->buttons = box.standardButtons();
    seen->button_count = static_cast<int>(box.buttons().size());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != &box && window->isVisible()) {
            seen->visible_windows.append(window->objectName());
        }
    }
}

}  // namespace

ModalDriver::ModalDriver() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(kPollInterval);
}

ModalDriver::~ModalDriver() { timer_.stop(); }

void ModalDriver::Expect(Action action) { actions_.push_back(std::move(action)); }

void ModalDriver::Poll() {
    QWidget* const modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == last_answered_ || !modal->isVisible()) {
        candidate_ = nullptr;
        return;
    }
    // A window is answered once it has stayed up from one poll to the next. A dialog whose
    // question has just been answered is still up for a moment while the question's own event
    // loop winds down; it closes before a second poll.
    if (modal != candidate_) {
        candidate_ = modal;
        return;
    }
    last_answered_ = modal;
    if (actions_.empty()) {
        unexpected_.append(Describe(modal));
        modal->close();
        return;
    }
    // The action runs on its own turn of the event loop, so that a modal window that it opens in
    // turn (a dialog's question) is seen by the next poll.
    QTimer::singleShot(0, modal, [modal, action = std::move(actions_.front())] { action(modal); });
    actions_.pop_front();
}

ModalDriver::Action ChooseFile(const QString& file_name, DialogSeen* seen) {
    return [file_name, seen](QWidget* modal) {
        QFileDialog& dialog = AsFileDialog(modal);
        Record(dialog, seen);
        QLineEdit& name_box = FileNameBox(dialog);
        // The dialog drops the name it offered from its list only while the user types in the
        // name box, which has the focus then.
        if (!QTest::qWaitForWindowActive(&dialog)) {
            qWarning("the file dialog did not become active");
        }
        name_box.setFocus(Qt::OtherFocusReason);
        // Entered in one piece: typing key by key would open the name box's completion list,
        // which takes over the keys.
        name_box.setText(file_name);
        QAbstractButton& accept = DialogButton(dialog, QDialogButtonBox::AcceptRole);
        if (!accept.isEnabled()) {
            qWarning("the file dialog does not take %s", qPrintable(name_box.text()));
        }
        accept.click();
    };
}

ModalDriver::Action CancelFileDialog(DialogSeen* seen) {
    return [seen](QWidget* modal) {
        QFileDialog& dialog = AsFileDialog(modal);
        Record(dialog, seen);
        DialogButton(dialog, QDialogButtonBox::RejectRole).click();
    };
}

ModalDriver::Action AcknowledgeBox(BoxSeen* seen) { return AnswerBox(QMessageBox::Ok, seen); }

ModalDriver::Action AnswerBox(QMessageBox::StandardButton button, BoxSeen* seen) {
    return [button, seen](QWidget* modal) {
        QMessageBox& box = AsMessageBox(modal);
        Record(box, seen);
        QAbstractButton* const answer = box.button(button);
        if (answer == nullptr) {
            qFatal("the box has no button %d", static_cast<int>(button));
        }
        answer->click();
    };
}

}  // namespace rozuduzod::testing
