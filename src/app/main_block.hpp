#pragma once
// The program's start-up, from reading the locale to the end of the event loop.

#include <functional>

class QWidget;

namespace rozuduzod {

// Reads the locale's values, sets up the application with its title and icon, creates the main
// form `RozudUzodForm` and handles events until it is closed; returns the exit code. A given
// `before_show` sees the form after its creation, before it is shown.
int RunMainBlock(int& argc, char** argv, const std::function<void(QWidget&)>& before_show = {});

}  // namespace rozuduzod
