#include "PlatformIntegration.h"

#ifdef PC_HAVE_X11
#include "X11Integration.h"
#endif

#include <QGuiApplication>

std::unique_ptr<PlatformIntegration> PlatformIntegration::create()
{
#ifdef PC_HAVE_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto x11 = X11Integration::create())
            return x11;
    }
#endif
    return std::make_unique<PlatformIntegration>();
}
