#pragma once

#include <QObject>

class QSocketNotifier;

// Tells when the wall clock is set (by NTP, by the user, after a resume), without waking the program at
// any other time. A finished countdown has no timer of its own, so this is what brings it back when the
// clock is set back before the target.
class WallClockWatcher : public QObject {
    Q_OBJECT

public:
    explicit WallClockWatcher(QObject* parent = nullptr);
    ~WallClockWatcher() override;

    // False where the kernel offers no such notice; the program then simply never hears of clock changes.
    bool isWatching() const { return m_fd >= 0; }

signals:
    void clockChanged();

private:
    bool arm();
    void readNotice();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
