// A frameless label and nothing else: what any Qt widget program costs to start and to keep, measured
// the same way as the panel (see scripts/bench-startup.sh).

#include <QApplication>
#include <QLabel>

#include "StartupProbe.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("0:00:00:00"));
    label.setWindowFlags(Qt::FramelessWindowHint);
    label.resize(400, 150);
    StartupProbe::watch(&label);
    label.show();
    return QApplication::exec();
}
