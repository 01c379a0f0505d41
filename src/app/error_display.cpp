#include "error_display.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <new>
#include <string>

#include "errors.hpp"
#include "shift_jis.hpp"

namespace rozuduzod {
namespace {

// The message of an error in Shift-JIS, the program's own texts as they are.
std::string MessageOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& program_error) {
        return program_error.Message();
    } catch (const std::bad_alloc&) {
        return Sjis("メモリが不足しています");
    } catch (const std::exception& library_error) {
        // The standard library's messages are plain ASCII, which Shift-JIS holds unchanged.
        return library_error.what();
    } catch (...) {
        return Sjis("予期しないｴﾗｰが発生しました");
    }
}

}  // namespace

QString ErrorText(const std::exception_ptr& error) {
    return QString::fromStdString(ShiftJisToUtf8(DisplayText(MessageOf(error))));
}

void ShowErrorBox(const QString& caption, const QString& text) {
    const QPointer<QWidget> active_before = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    if (active_before) {
        active_before->activateWindow();
    }
}

}  // namespace rozuduzod
