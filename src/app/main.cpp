#include "Application.h"
#include "BuildInfo.h"
#include "ControlService.h"
#include "CountdownPanel.h"
#include "DisplayOpening.h"
#include "Localization.h"
#include "SessionPlatform.h"
#include "SingleInstance.h"
#include "StartupProbe.h"
#include "TimingOptions.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void describe()
{
    QCoreApplication::setOrganizationName(QStringLiteral(PC_APP_ID));
    QCoreApplication::setApplicationName(QStringLiteral("presenter-countdown"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PC_VERSION));
}

void describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Shows the time left until your talk on top of your slides."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(TimingOptions::options());
    parser.addOptions(ControlService::options());
}

// --help and --version answer on the terminal and quit; anything else that is not one of Qt's own
// options is refused.
TimingOptions parseCommandLine(const QCoreApplication& application)
{
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(application);
    QString error;
    return TimingOptions::read(parser, &error).value_or(TimingOptions());
}

// A timing value that cannot be read ends the program before a display is opened or a setting is touched.
void refuseUnreadableTiming(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    describeOptions(parser);
    parser.parse(arguments); // Qt's own options are unknown here; process() judges them later
    QString error;
    if (!TimingOptions::read(parser, &error)) {
        std::fprintf(stderr, "presenter-countdown: %s\n", qPrintable(error));
        std::exit(2);
    }
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

// --pause and the like only steer a running panel, so they need no display: from a terminal without
// one, or over ssh, they work all the same.
std::optional<int> steerRunningCopy(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    describeOptions(parser);
    parser.parse(arguments);
    if (!ControlService::asksRunningCopy(parser))
        return std::nullopt;
    // Only the program's own options go over: Qt's (-platform and the like) mean nothing to the panel.
    QStringList forwarded;
    for (const QCommandLineOption& option : TimingOptions::options() + ControlService::options()) {
        const QString name = option.names().constFirst();
        if (!parser.isSet(name))
            continue;
        forwarded.append(QStringLiteral("--") + name);
        if (!option.valueName().isEmpty())
            forwarded.append(parser.value(name));
    }
    const QCoreApplication terminal(argc, argv);
    describe();
    return SingleInstance::claim(QStringLiteral(PC_APP_ID), forwarded, true).value_or(1);
}

} // namespace

int main(int argc, char* argv[])
{
    answerWithoutDisplay(argc, argv);
    refuseUnreadableTiming(argc, argv);
    if (const auto status = steerRunningCopy(argc, argv))
        return *status;
    SessionPlatform::chooseForThisSession(argc, argv);
    const auto application = openDisplay(argc, argv);
    describe();
    QGuiApplication::setDesktopFileName(QStringLiteral(PC_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/presenter-countdown.svg")));
    QApplication::setQuitOnLastWindowClosed(false);
    Localization::install(application.get());
    const TimingOptions timing = parseCommandLine(*application);
    if (const auto status =
            SingleInstance::claim(QStringLiteral(PC_APP_ID), QCoreApplication::arguments().mid(1), false))
        return *status;

    Application program;
    // Calls wait for the event loop, so offering the interface before the panel is up loses none.
    SingleInstance::publish(&program.control(), QLatin1String(ControlService::ObjectPath));
    StartupProbe::watch(&program.panel());
    program.start();
    timing.applyTo(program.settings(), QDateTime::currentDateTimeUtc());
    return QApplication::exec();
}
