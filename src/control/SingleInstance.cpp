#include "SingleInstance.h"

#include "ControlService.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <cstdio>

namespace {

// A running copy that does not answer in this time is taken as hung; the launch must not hang with it.
constexpr int kAnswerMs = 10000;

int handOver(const QDBusConnection& bus, const QString& name, const QStringList& arguments)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(name, QLatin1String(ControlService::ObjectPath),
                                       QLatin1String(ControlService::Interface), QStringLiteral("HandleCommandLine"));
    call << arguments;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kAnswerMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "presenter-countdown: %s\n", qPrintable(reply.errorMessage()));
        return 1;
    }
    return 0;
}

} // namespace

std::optional<int> SingleInstance::claim(const QString& name, const QStringList& arguments, bool asksRunningCopy)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        if (asksRunningCopy) {
            std::fprintf(stderr, "presenter-countdown: no session bus, so no running panel to act on\n");
            return 1;
        }
        std::fprintf(stderr, "presenter-countdown: no session bus; this copy runs on its own\n");
        return std::nullopt;
    }
    // Asking only, without taking the name: a launch that merely steers must never stand in the way of
    // a panel starting at the same moment.
    if (asksRunningCopy) {
        if (bus.interface()->isServiceRegistered(name).value())
            return handOver(bus, name, arguments);
        std::fprintf(stderr, "presenter-countdown: no panel is running to act on\n");
        return 1;
    }
    const auto owned = bus.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                                        QDBusConnectionInterface::DontAllowReplacement);
    if (owned.isValid() && owned.value() == QDBusConnectionInterface::ServiceRegistered)
        return std::nullopt;
    return handOver(bus, name, arguments);
}

void SingleInstance::publish(QObject* service, const QString& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() &&
        !bus.registerObject(path, service,
                            QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals |
                                QDBusConnection::ExportAllProperties))
        std::fprintf(stderr, "presenter-countdown: cannot offer control on the session bus\n");
}
