#include "SessionPlatform.h"

#include <cstdio>
#include <cstring>

namespace SessionPlatform {

Choice choose(const Environment& environment)
{
    if (!environment.qtQpaPlatform.isEmpty() || environment.platformArgument)
        return {};
    const bool wayland = !environment.waylandDisplay.isEmpty() || environment.sessionType == "wayland";
    if (!wayland)
        return {};
    if (!environment.display.isEmpty())
        return {QByteArrayLiteral("xcb"), false};
    return {{}, true};
}

void chooseForThisSession(int argc, char* argv[])
{
    Environment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
                            qgetenv("XDG_SESSION_TYPE")};
    for (int i = 1; i < argc; ++i)
        environment.platformArgument = environment.platformArgument || std::strcmp(argv[i], "-platform") == 0;
    const Choice choice = choose(environment);
    if (!choice.qpaPlatform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.qpaPlatform);
    if (choice.mayNotStayOnTop)
        std::fputs("presenter-countdown: XWayland is not available; on native Wayland the panel may not stay on "
                   "top of other windows\n",
                   stderr);
}

} // namespace SessionPlatform
