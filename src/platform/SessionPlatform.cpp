#include "SessionPlatform.h"

#include <QList>

#include <cstdio>
#include <cstring>

namespace SessionPlatform {

namespace {

// Qt tries the platforms of a list separated by semicolons in turn and passes what follows a colon to
// the plugin; only the first plugin's name says what the user asked for.
bool asksForWayland(const QByteArray& platform)
{
    const QByteArray first = platform.split(';').constFirst().split(':').constFirst().trimmed();
    return first.startsWith("wayland");
}

} // namespace

Choice choose(const Environment& environment)
{
    const QByteArray requested =
        environment.platformArgument.isEmpty() ? environment.qtQpaPlatform : environment.platformArgument;
    if (!requested.isEmpty())
        return {{}, asksForWayland(requested) ? Notice::NativeWaylandChosen : Notice::None};
    const bool wayland = !environment.waylandDisplay.isEmpty() || environment.sessionType == "wayland";
    if (!wayland)
        return {};
    if (!environment.display.isEmpty())
        return {QByteArrayLiteral("xcb"), Notice::None};
    return {{}, Notice::NoXWayland};
}

QByteArray noticeText(Notice notice)
{
    switch (notice) {
    case Notice::None:
        break;
    case Notice::NativeWaylandChosen:
        return QByteArrayLiteral("on native Wayland the panel cannot stay above other windows or keep off the "
                                 "keyboard; to run it through XWayland, unset QT_QPA_PLATFORM and leave out "
                                 "-platform (or give -platform xcb)");
    case Notice::NoXWayland:
        return QByteArrayLiteral("XWayland is not running, so the panel runs on native Wayland, where it cannot "
                                 "stay above other windows or keep off the keyboard; turn XWayland on to keep it "
                                 "on top");
    }
    return {};
}

QByteArray platformArgument(int argc, const char* const argv[])
{
    QByteArray value;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            value = argv[++i];
    }
    return value;
}

PanelStacking panelStacking(const QByteArray& windowManagerName)
{
    return windowManagerName == "wlroots wm" ? PanelStacking::OverrideRedirect : PanelStacking::Managed;
}

void chooseForThisSession(int argc, char* argv[])
{
    const Environment environment{qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
                                  qgetenv("XDG_SESSION_TYPE"), platformArgument(argc, argv)};
    const Choice choice = choose(environment);
    if (!choice.qpaPlatform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.qpaPlatform);
    if (const QByteArray text = noticeText(choice.notice); !text.isEmpty())
        std::fprintf(stderr, "presenter-countdown: %s\n", text.constData());
}

} // namespace SessionPlatform
