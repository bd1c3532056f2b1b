#include "PlatformIntegration.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

PlatformIntegration::~PlatformIntegration() = default;

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
