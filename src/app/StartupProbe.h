#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

// For measuring start-up: with PC_STARTUP_PROBE set in the environment, the program prints the wall-clock
// time of the watched widget's first paint and its peak resident memory so far, then quits. Header-only,
// so that the yardstick program in bench/ measures itself the same way.
namespace StartupProbe {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Report once the paint is done, from the event loop.
            QTimer::singleShot(0, this, &FirstPaint::report);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void report()
    {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const long long nanoseconds = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
        QFile status(QStringLiteral("/proc/self/status"));
        QByteArray peak = "?";
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("VmHWM:"))
                    peak = line.mid(6).trimmed().split(' ').value(0);
            }
        }
        std::printf("first-paint-ns %lld peak-rss-kb %s\n", nanoseconds, peak.constData());
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    bool m_seen = false;
};

inline void watch(QWidget* widget)
{
    if (qEnvironmentVariableIsSet("PC_STARTUP_PROBE"))
        widget->installEventFilter(new FirstPaint(widget));
}

} // namespace StartupProbe
