#include "DisplayOpening.h"

#include "SessionPlatform.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// While the application is being created, Qt's messages are held back: if that fails they are replaced by
// the one line; if it works they are passed on. All of them, since platform plugins also write some in
// the default category (Wayland's "Failed to create wl_display").
class HeldPlatformMessages {
public:
    explicit HeldPlatformMessages(bool wayland)
    {
        s_wayland = wayland;
        s_previous = qInstallMessageHandler(&HeldPlatformMessages::handle);
    }
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
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "presenter-countdown: no display could be opened (%s)\n", whichDisplay().constData());
            std::_Exit(1);
        }
        s_held.emplace_back(type, message);
    }

    static QByteArray whichDisplay()
    {
        const char* variable = s_wayland ? "WAYLAND_DISPLAY" : "DISPLAY";
        const QByteArray value = qgetenv(variable);
        return QByteArray(variable) + (value.isEmpty() ? QByteArray(" is not set") : "=" + value);
    }

    static inline bool s_wayland = false;
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
    // The command line overrides the variable, as in Qt itself.
    const QByteArray argument = SessionPlatform::platformArgument(argc, argv);
    const HeldPlatformMessages held((argument.isEmpty() ? qgetenv("QT_QPA_PLATFORM") : argument).startsWith("wayland"));
    auto application = std::make_unique<QApplication>(argc, argv);
    if (noSharedMemory)
        qunsetenv("QT_XCB_NO_MITSHM");
    return application;
}
