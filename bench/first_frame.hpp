#pragma once
// Ends a start-up measurement at the first frame a window shows.

class QWidget;

namespace rozuduzod::bench {

// Once `window` has painted its first frame, prints "first-frame-us N", N being the wall clock in
// microseconds since the epoch, and ends the event loop. A window that shows nothing within half
// a minute ends it with exit code 1.
void ReportFirstFrame(QWidget& window);

}  // namespace rozuduzod::bench
