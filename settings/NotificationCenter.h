#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QObject;

struct Notification {
    QString name;
};

// Synchronous, in-process delivery of named notifications on the posting thread: when a post returns,
// every observer has run. The settings store posts through it so that its module never needs to know who
// listens.
class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    // The subscription ends by itself when the observer is destroyed.
    void addObserver(QObject* observer, const QString& name, Handler handler);
    void removeObserver(const QObject* observer);
    void postNotificationName(const QString& name);

    int observerCount(const QString& name) const;

private:
    struct Entry {
        QPointer<QObject> observer;
        QString name;
        Handler handler;
    };

    void pruneDestroyedObservers();

    std::vector<Entry> m_entries;
};
