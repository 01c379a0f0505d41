// Opening a 1000-record fuel log into the window's grid, as the open button does once its dialog
// has closed, beside opening it into a recording grid in the same run. Each opening gets a fresh,
// shown window, so that the grid grows from its first rows as it does on the user's first open.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QWidget>
#include <memory>
#include <stdexcept>

#include "application.hpp"
#include "bench_workload.hpp"
#include "log_reader.hpp"
#include "rozuduzod_form.hpp"
#include "string_grid.hpp"

namespace rozuduzod::bench {
namespace {

constexpr int kPaintWaitMilliseconds = 5000;

// Counts the frames a widget paints.
class PaintCounter final : public QObject {
  public:
    explicit PaintCounter(QWidget& widget) : widget_(widget) { widget.installEventFilter(this); }
    ~PaintCounter() override { widget_.removeEventFilter(this); }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    // Handles the window's events until the widget has painted once more.
    void WaitForNextPaint() {
        const int painted = count_;
        QDeadlineTimer deadline(kPaintWaitMilliseconds);
        while (count_ == painted) {
            if (deadline.hasExpired()) {
                throw std::runtime_error("the grid did not paint");
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, kPaintWaitMilliseconds);
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &widget_ && event->type() == QEvent::Paint) {
            ++count_;
        }
        return false;
    }

  private:
    QWidget& widget_;
    int count_ = 0;
};

// What the user has on screen before opening: the window shown and painted.
struct ShownWindow {
    ShownWindow(Application& application, const LocaleValues& locale)
        : form(application, locale), grid_paints(*form.DirazStringGrid->viewport()) {
        form.show();
        grid_paints.WaitForNextPaint();
    }

    TRozudUzodForm form;
    PaintCounter grid_paints;
};

// `until_painted`: the time runs on until the grid has painted the texts read.
void OpenIntoWindowGrid(benchmark::State& state, Application& application, bool until_painted) {
    const Workload& workload = TheWorkload();
    FuelLogState log;
    log.GasNames = workload.filled.GasNames;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<ShownWindow>(application, workload.locale);
        StringGrid& grid = *window->form.DirazStringGrid;
        state.ResumeTiming();
        {
            const StringGrid::UpdateBatch batch(grid);
            ReadSourceLog(workload.source_log_path, log, grid, workload.locale);
        }
        if (until_painted) {
            window->grid_paints.WaitForNextPaint();
        }
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * Workload::kRecords);
}

}  // namespace
}  // namespace rozuduzod::bench

int main(int argc, char* argv[]) {
    using namespace rozuduzod::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication qt_application(argc, argv);
    rozuduzod::Application application;

    benchmark::RegisterBenchmark("BM_OpenRecordingGrid", BM_OpenRecordingGrid)
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(
        "BM_OpenWindowGrid",
        [&application](benchmark::State& state) { OpenIntoWindowGrid(state, application, false); })
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(
        "BM_OpenWindowGridPainted",
        [&application](benchmark::State& state) { OpenIntoWindowGrid(state, application, true); })
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
