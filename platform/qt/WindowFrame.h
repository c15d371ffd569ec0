#pragma once
// The frame of a fixed-size window (dialogs, tool windows, message boxes):
// a title bar with the close box only. Without it the window manager adds
// minimise and maximise buttons, which take the room of a short window's
// title and offer to maximise a window whose size cannot change.
#include <Qt>

class QWidget;

namespace plat {

// The window flags asked for: a dialog with title and close box, fixed size.
Qt::WindowFlags FixedFrameFlags();

// Gives `w` those flags (keeping a context-help button it asked for). Call
// it before the window is first shown; its fixed size (setFixedSize) is what
// tells the window manager that it cannot be resized or maximised.
void UseFixedFrame(QWidget* w);

}  // namespace plat
