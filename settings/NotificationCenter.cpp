#include "settings/NotificationCenter.h"

#include <QObject>

#include <algorithm>

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(QObject* observer, const QString& name, Handler handler)
{
    if (!observer || !handler)
        return;
    pruneDestroyedObservers();
    m_entries.push_back({observer, name, std::move(handler)});
}

void NotificationCenter::removeObserver(const QObject* observer)
{
    std::erase_if(m_entries, [observer](const Entry& e) { return e.observer == observer; });
    pruneDestroyedObservers();
}

void NotificationCenter::postNotificationName(const QString& name)
{
    // A handler may subscribe or unsubscribe while we deliver: work from a copy, and skip observers that
    // went away in the meantime.
    std::vector<Entry> receivers;
    std::copy_if(m_entries.begin(), m_entries.end(), std::back_inserter(receivers),
                 [&name](const Entry& e) { return e.name == name && e.observer; });
    const Notification notification{name};
    for (const Entry& entry : receivers) {
        if (entry.observer)
            entry.handler(notification);
    }
}

int NotificationCenter::observerCount(const QString& name) const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(),
                                          [&name](const Entry& e) { return e.name == name && e.observer; }));
}

void NotificationCenter::pruneDestroyedObservers()
{
    std::erase_if(m_entries, [](const Entry& e) { return e.observer.isNull(); });
}
