// Helpers for tests that drive the real windows.
#pragma once

#include "form/controls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <ostream>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velmora::testing {

inline FieldId control(std::string_view name) {
    return controlNamed(name); // an unknown name throws: never the window in its place
}

// Delivers what the last step posted, and what that posted in turn: a box it
// raised has been shown and answered when this returns. A check that nothing
// happened follows this, not a fixed wait.
inline void deliverPosted() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// Spins the event loop until the condition holds or a second has passed.
inline bool waitFor(const std::function<bool()>& condition, int milliseconds = 1000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(5);
    }
    return true;
}

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    bool onlyOk;
    QString buttonText;
};

// Answers every modal message box that comes up with OK, recording what it
// showed; it waits until a box is active before pressing, as a user would.
class BoxAnswerer {
public:
    BoxAnswerer() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) {
                return;
            }
            box->setProperty("answered", true);
            if (onShown) {
                onShown();
            }
            seen.push_back(
                {box->windowTitle(), box->text(), box->icon(),
                 box->buttons().size() == 1 && box->button(QMessageBox::Ok) != nullptr,
                 box->button(QMessageBox::Ok) != nullptr ? box->button(QMessageBox::Ok)->text() : QString()});
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(20);
    }
    std::vector<SeenBox> seen;
    std::function<void()> onShown; // runs while the box is up

private:
    QTimer m_timer;
};

} // namespace velmora::testing
