#pragma once

#include <string>

// What the Windows entry needs of the system besides the window, with
// plain types, so that no engine header meets <windows.h>.
namespace native {

// The full path of the running executable; "" when it cannot be had.
std::string ExecutablePath();

// Shows the text the program ends with. A problem goes to standard error
// and into an error message box (a double-clicked game has no console); the
// usage and version go to standard output when there is one (redirected, or
// the console the program was started from), otherwise into a message box.
void ReportText(const std::string& text, bool problem);

}  // namespace native
