#include "first_frame.hpp"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace rozuduzod::bench {
namespace {

constexpr int kGiveUpMilliseconds = 30000;

void PrintWallClock() {
    const auto since_epoch = std::chrono::system_clock::now().time_since_epoch();
    const long long microseconds =
        std::chrono::duration_cast<std::chrono::microseconds>(since_epoch).count();
    std::printf("first-frame-us %lld\n", microseconds);
    std::fflush(stdout);
}

// The window paints its children in the same pass right after its own paint event, and flushes
// the frame when the pass ends; the queued report runs once all of that is done.
class FirstPaintWatcher final : public QObject {
  public:
    explicit FirstPaintWatcher(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint) {
            window_.removeEventFilter(this);
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    PrintWallClock();
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    QWidget& window_;
};

}  // namespace

void ReportFirstFrame(QWidget& window) {
    new FirstPaintWatcher(window);
    QTimer::singleShot(kGiveUpMilliseconds, qApp, [] { QCoreApplication::exit(1); });
}

}  // namespace rozuduzod::bench
