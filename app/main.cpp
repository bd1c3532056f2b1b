#include "BuildInfo.h"

#include "app/AppDelegate.h"
#include "app/PlatformIntegration.h"
#include "app/SessionPlatform.h"
#include "app/StartupProbe.h"
#include "app/TitlelessPanel.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

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

} // namespace

int main(int argc, char* argv[])
{
    choosePlatform(argc, argv);
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral(PC_SETTINGS_ORGANIZATION));
    QCoreApplication::setApplicationName(QStringLiteral(PC_SETTINGS_APPLICATION));
    QCoreApplication::setApplicationVersion(QStringLiteral(PC_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    const auto platform = PlatformIntegration::create();
    TitlelessPanel panel;
    AppDelegate delegate(*platform);
    delegate.connectOutlets(&panel);
    delegate.applicationDidFinishLaunching();
    StartupProbe::watch(panel.contentArea());
    panel.show();
    return QApplication::exec();
}
