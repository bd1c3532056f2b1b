#include "app/PlatformIntegration.h"

#include "app/X11Integration.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

PlatformIntegration::~PlatformIntegration() = default;

std::unique_ptr<PlatformIntegration> PlatformIntegration::create()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (auto x11 = X11Integration::create())
            return x11;
    }
    return std::make_unique<PlatformIntegration>();
}

void PlatformIntegration::makeFloating(QWidget* window, FloatingRole role)
{
    Qt::WindowFlags flags = Qt::Window | Qt::WindowStaysOnTopHint;
    if (role == FloatingRole::Panel)
        flags |= Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    window->setWindowFlags(flags);
    window->setAttribute(Qt::WA_ShowWithoutActivating, role == FloatingRole::Panel);
}

void PlatformIntegration::activatePresentation() {}

bool PlatformIntegration::hasCompositor() const
{
    // Wayland compositors always composite; elsewhere nothing tells, so assume nothing does.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void PlatformIntegration::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}
