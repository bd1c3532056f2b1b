#include "app/SessionPlatform.h"

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

} // namespace SessionPlatform
