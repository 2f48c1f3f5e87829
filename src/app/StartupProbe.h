#pragma once

class QWidget;

namespace zelkor {

// With ZELKOR_STARTUP_PROBE set, prints "shown" once the window's first paint
// has reached the screen, then ends the program. The start-up benchmark times
// a run from its start to that line.
void ProbeStartup(QWidget& window);

}  // namespace zelkor
