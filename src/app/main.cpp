#include "Application.h"
#include "BuildInfo.h"
#include "CountdownPanel.h"
#include "DisplayOpening.h"
#include "Localization.h"
#include "SessionPlatform.h"
#include "StartupProbe.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstring>

namespace {

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

} // namespace

int main(int argc, char* argv[])
{
    answerWithoutDisplay(argc, argv);
    SessionPlatform::chooseForThisSession(argc, argv);
    const auto application = openDisplay(argc, argv);
    describe();
    QGuiApplication::setDesktopFileName(QStringLiteral(PC_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/presenter-countdown.svg")));
    QApplication::setQuitOnLastWindowClosed(false);
    Localization::install(application.get());
    parseCommandLine(*application);

    Application program;
    StartupProbe::watch(&program.panel());
    program.start();
    return QApplication::exec();
}
