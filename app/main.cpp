#include "BuildInfo.h"

#include "app/AppDelegate.h"
#include "app/TitlelessPanel.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral(PC_SETTINGS_ORGANIZATION));
    QCoreApplication::setApplicationName(QStringLiteral(PC_SETTINGS_APPLICATION));
    QCoreApplication::setApplicationVersion(QStringLiteral(PC_VERSION));

    TitlelessPanel panel;
    AppDelegate delegate;
    delegate.connectOutlets(&panel);
    delegate.applicationDidFinishLaunching();
    panel.show();
    return QApplication::exec();
}
