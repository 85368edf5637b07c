#include "ScrollingContainer.h"

#include "travina/CTravinaCtrl.h"
#include "travina/TravinaFactory.h"

#include <algorithm>

namespace ui {

namespace {

// Lengths the container takes are its own twips, a fixed number to the pixel.
int containerPixels(int twips)
{
    return (twips + CTravinaCtrl::TwipsPerPixel - 1) / CTravinaCtrl::TwipsPerPixel;
}

} // namespace

Container createContainer(QWidget &window)
{
    Container made;
    made.control = qobject_cast<CTravinaCtrl *>(TravinaFactory::create(TravinaFactory::programmaticId(), &window));
    Q_ASSERT(made.control);
    made.control->setObjectName(QStringLiteral("Travina1"));
    made.control->setBackColor(window.palette().color(QPalette::Window));
    made.frame = new QWidget(made.control->viewport());
    made.frame->setObjectName(QStringLiteral("fraContainer"));
    return made;
}

void fitContainer(const QWidget &window, CTravinaCtrl &container, QWidget &frame)
{
    container.setVScroll(0);
    container.setHScroll(0);
    container.setGeometry(0, 0, window.width(), window.height());
    frame.setGeometry(0, 0, std::max(containerPixels(container.virtualWidth()), container.viewport()->width()),
                      std::max(containerPixels(container.virtualHeight()), container.viewport()->height()));
}

} // namespace ui
