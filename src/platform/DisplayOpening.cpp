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
    const HeldPlatformMessages held;
    return std::make_unique<QApplication>(argc, argv);
}
