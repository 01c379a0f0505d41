#pragma once
// The error box: what it says about an error and how it is shown.

#include <QString>
#include <exception>

namespace rozuduzod {

// The box's text for an error: its message, decoded from Shift-JIS, with the full stop the
// display adds. Errors from outside the program's own (the library's) keep their own words.
QString ErrorText(const std::exception_ptr& error);

// Shows a box with the stop icon and one OK button, modal for the whole application, and makes
// the window that was active before active again when it closes.
void ShowErrorBox(const QString& caption, const QString& text);

}  // namespace rozuduzod
