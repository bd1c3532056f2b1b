#include "DisplayOpening.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// While the application is being created, Qt's platform messages are held back: if that fails they are
// replaced by the one line; if it works they are passed on.
class HeldPlatformMessages {
public:
    HeldPlatformMessages() { s_previous = qInstallMessageHandler(&HeldPlatformMessages::handle); }
    ~HeldPlatformMessages()
    {
        qInstallMessageHandler(s_previous);
        for (const auto& [type, message] : s_held)
            qt_message_output(type, QMessageLogContext(), message);
        s_held.clear();
    }
    HeldPlatformMessages(const HeldPlatformMessages&) = delete;
    HeldPlatformMessages& operator=(const HeldPlatformMessages&) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "presenter-countdown: no display could be opened (%s)\n", whichDisplay().constData());
            std::_Exit(1);
        }
        if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) {
            s_held.emplace_back(type, message);
            return;
        }
        s_previous(type, context, message);
    }

    static QByteArray whichDisplay()
    {
        const char* variable = qgetenv("QT_QPA_PLATFORM").startsWith("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY";
        const QByteArray value = qgetenv(variable);
        return QByteArray(variable) + (value.isEmpty() ? QByteArray(" is not set") : "=" + value);
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::vector<std::pair<QtMsgType, QString>> s_held;
};

} // namespace

std::unique_ptr<QApplication> openDisplay(int& argc, char* argv[])
{
    // Through shared memory (MIT-SHM), Qt 6.4 waits for the X server to have read the last painted area
    // before painting there again: a round trip at every tick, whose reply wakes the xcb event thread and
    // through it the main thread, three wake-ups a second instead of one. The few digits a tick changes
    // cost less sent over the connection. Unless the user chose otherwise it is off while the connection
    // opens; programs started from the panel (the web browser) get the environment back as it was.
    const bool noSharedMemory = !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
    if (noSharedMemory)
        qputenv("QT_XCB_NO_MITSHM", "1");
    const HeldPlatformMessages held;
    auto application = std::make_unique<QApplication>(argc, argv);
    if (noSharedMemory)
        qunsetenv("QT_XCB_NO_MITSHM");
    return application;
}
