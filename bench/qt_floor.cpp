// The least a Qt widget program spends on a display that changes once a second, the floor the panel is
// held against beside xclock in scripts/bench-idle.sh. "timer": a precise one-second timer that paints
// nothing. "repaint": the same timer repainting one digit's area of the panel at its default size.

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstring>

namespace {

class Corner : public QWidget {
public:
    void flip()
    {
        m_dark = !m_dark;
        update(kArea);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(kArea, m_dark ? Qt::black : Qt::white);
    }

private:
    static constexpr QRect kArea{0, 0, 44, 78};
    bool m_dark = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const bool repaint = argc > 1 && std::strcmp(argv[1], "repaint") == 0;
    Corner corner;
    corner.setWindowFlags(Qt::FramelessWindowHint);
    corner.setAttribute(Qt::WA_OpaquePaintEvent);
    corner.resize(400, 150);
    corner.show();

    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, &corner, [&] {
        if (repaint)
            corner.flip();
    });
    tick.start(1000);
    return QApplication::exec();
}
