#include "BuildInfo.h"

#include "app/AppDelegate.h"
#include "app/Localization.h"
#include "app/PlatformIntegration.h"
#include "app/SessionPlatform.h"
#include "app/StartupProbe.h"
#include "app/TitlelessPanel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

void choosePlatform(int argc, char* argv[])
{
    SessionPlatform::Environment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
                                             qgetenv("XDG_SESSION_TYPE")};
    for (int i = 1; i < argc; ++i)
        environment.platformArgument = environment.platformArgument || std::strcmp(argv[i], "-platform") == 0;
    const SessionPlatform::Choice choice = SessionPlatform::choose(environment);
    if (!choice.qpaPlatform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.qpaPlatform);
    if (choice.mayNotStayOnTop)
        std::fputs("presenter-countdown: XWayland is not available; on native Wayland the panel may not stay on "
                   "top of other windows\n",
                   stderr);
}

void describe()
{
    QCoreApplication::setOrganizationName(QStringLiteral(PC_APP_ID));
    QCoreApplication::setApplicationName(QStringLiteral("presenter-countdown"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PC_VERSION));
}

// --help and --version answer on the terminal and quit; anything else that is not one of Qt's own
// options is refused.
void parseCommandLine(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Shows the time left until your talk on top of your slides."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(application);
}

// Help and version must work without a display, so they are answered before any window system is
// touched.
void answerWithoutDisplay(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version", "-?"}) {
            if (std::strcmp(argv[i], option) == 0) {
                QCoreApplication terminal(argc, argv);
                describe();
                Localization::install(&terminal);
                parseCommandLine(terminal);
            }
        }
    }
}

// Without a reachable window system Qt ends the program with a fatal message that blames the
// installation. While the application is being created, its platform messages are held back: if that
// fails, one plain line says why and the program exits with status 1; if it works, they are passed on.
class DisplayOpening {
public:
    DisplayOpening() { s_previous = qInstallMessageHandler(&DisplayOpening::handle); }
    ~DisplayOpening()
    {
        qInstallMessageHandler(s_previous);
        for (const auto& [type, message] : s_held)
            qt_message_output(type, QMessageLogContext(), message);
        s_held.clear();
    }
    DisplayOpening(const DisplayOpening&) = delete;
    DisplayOpening& operator=(const DisplayOpening&) = delete;

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

std::unique_ptr<QApplication> openDisplay(int& argc, char* argv[])
{
    const DisplayOpening opening;
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[])
{
    answerWithoutDisplay(argc, argv);
    choosePlatform(argc, argv);
    const auto application = openDisplay(argc, argv);
    describe();
    QGuiApplication::setDesktopFileName(QStringLiteral(PC_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/presenter-countdown.svg")));
    QApplication::setQuitOnLastWindowClosed(false);
    Localization::install(application.get());
    parseCommandLine(*application);

    const auto platform = PlatformIntegration::create();
    TitlelessPanel panel;
    AppDelegate delegate(*platform);
    delegate.connectOutlets(&panel);
    delegate.applicationDidFinishLaunching();
    StartupProbe::watch(panel.contentArea());
    panel.show();
    return QApplication::exec();
}
