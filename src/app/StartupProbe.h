#pragma once

#include <functional>

class QWidget;

namespace zelkor {

// Runs `then` once the window's first paint has reached the screen.
void AfterFirstPaint(QWidget& window, std::function<void()> then);

// With ZELKOR_STARTUP_PROBE set, prints "shown" once the window's first paint
// has reached the screen, then ends the program. The start-up benchmark times
// a run from its start to that line.
void ProbeStartup(QWidget& window);

}  // namespace zelkor
