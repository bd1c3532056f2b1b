// A frameless label whose text changes once a second and nothing else: the least any Qt widget program
// can spend on a display that counts, the yardstick for the panel's idle cost (scripts/bench-idle.sh).

#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("0:00:00:00"));
    label.setWindowFlags(Qt::FramelessWindowHint);
    QFont font = label.font();
    font.setPixelSize(60);
    label.setFont(font);
    label.resize(400, 150);
    label.show();

    int seconds = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &label, [&] {
        seconds = (seconds + 1) % 60;
        label.setText(QString::asprintf("0:00:00:%02d", seconds));
    });
    tick.start(1000);
    return QApplication::exec();
}
