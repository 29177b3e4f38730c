// Reports how long after launch a window was first shown, and the resident
// memory then, and ends the program. The launcher passes its clock reading
// just before it started the program in VELMORA_LAUNCHED_NS (CLOCK_REALTIME).
#pragma once

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>

class ShownProbe : public QObject {
public:
    explicit ShownProbe(QWidget& window) {
        window.winId(); // creates the native window to watch
        window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window->isExposed() && !m_reported) {
            m_reported = true;
            // After this expose has been painted.
            QTimer::singleShot(0, this, [] { report(); });
        }
        return false;
    }

private:
    static void report() {
        const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
        const qint64 launched = qgetenv("VELMORA_LAUNCHED_NS").toLongLong();
        long rssKb = 0;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("VmRSS:")) {
                    rssKb = line.mid(6).trimmed().split(' ').value(0).toLong();
                }
            }
        }
        std::printf("%.3f %ld\n", launched == 0 ? -1.0 : (now - launched) / 1e6, rssKb);
        std::fflush(stdout);
        QApplication::exit(0);
    }
    bool m_reported = false;
};
