// Starting the calculator: the application object, the window and the event
// loop, shared by the program and the start-up benchmark so that both take
// the same path.
#pragma once

#include <functional>

class QWidget;

namespace pyrelon::qt {

// Called with the window once it has been shown, just before the event loop
// starts.
using ShownHook = std::function<void(QWidget& window)>;

// What the program's main does: makes the application, builds the window,
// runs the start-up, shows it and runs the event loop until the program
// ends. Returns the event loop's exit code.
int runCalculator(int& argc, char** argv, const ShownHook& shown = {});

}  // namespace pyrelon::qt
