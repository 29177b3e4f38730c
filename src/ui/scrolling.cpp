#include "ui/scrolling.h"

#include "view/viewrules.h"

#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace velmora::ui {

QWidget* scrollingClient(QWidget* window, QScrollArea** scroll) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    *scroll = new QScrollArea(window);
    (*scroll)->setFrameShape(QFrame::NoFrame);
    (*scroll)->setFocusPolicy(Qt::NoFocus); // a stop of its own would break the window's tab chain
    auto* client = new QWidget;
    (*scroll)->setWidget(client);
    layout->addWidget(*scroll);
    return client;
}

QSize fitTheScreen(QWidget* window, QSize designed, QScrollArea* scroll) {
    const QScreen* on = window->screen();
    if (on == nullptr) {
        return designed;
    }
    // A window not yet shown has no frame: a title bar's worth is left free.
    const QSize frame =
        window->isVisible() ? window->frameGeometry().size() - window->geometry().size() : QSize(8, 32);
    const QSize room = on->availableGeometry().size() - frame;
    const ScrollingWindow fitted =
        fitScrollingWindow({designed.width(), designed.height()}, {room.width(), room.height()},
                           window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll));
    window->resize(fitted.opening.width, fitted.opening.height);
    return {fitted.largest.width, fitted.largest.height};
}

} // namespace velmora::ui
