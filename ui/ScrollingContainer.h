#pragma once

class CTravinaCtrl;
class QWidget;

namespace ui {

// A window's scrolling container, Travina1, made through the control's factory on the window's back colour, and the
// frame inside it, fraContainer, that holds the window's contents.
struct Container
{
    CTravinaCtrl *control = nullptr;
    QWidget *frame = nullptr;
};
Container createContainer(QWidget &window);

// A window's scrolling container on a resize: back at 0,0, scrolled to its start and stretched over the whole
// window; the frame that holds the contents covers the container's virtual area, or its client area when that is
// larger.
void fitContainer(const QWidget &window, CTravinaCtrl &container, QWidget &frame);

} // namespace ui
