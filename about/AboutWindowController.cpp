#include "about/AboutWindowController.h"

#include "BuildInfo.h"

#include "app/PanelGeometry.h"

#include "ui_AboutWindowController.h"

#include <QDialog>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSvgRenderer>

AboutWindowController::AboutWindowController(WindowConfigurer floatWindow, QObject* parent)
    : QObject(parent)
    , m_floatWindow(std::move(floatWindow))
{
}

AboutWindowController::~AboutWindowController() = default;

QWidget* AboutWindowController::aboutWindow()
{
    if (!m_aboutWindow) {
        m_aboutWindow = std::make_unique<QDialog>();
        m_ui = std::make_unique<Ui::AboutWindowController>();
        m_ui->setupUi(m_aboutWindow.get());
        m_ui->versionLabel->setText(tr("Version %1").arg(QStringLiteral(PC_VERSION)));
        QFont nameFont = m_ui->nameLabel->font();
        nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
        nameFont.setBold(true);
        m_ui->nameLabel->setFont(nameFont);
        showIcon();
        connect(m_ui->closeButton, &QPushButton::clicked, this, &AboutWindowController::closeClicked);
        windowDidLoad();
    }
    return m_aboutWindow.get();
}

void AboutWindowController::showIcon()
{
    // Drawn from the vector icon at the screen's pixel density, so it stays sharp on any screen.
    constexpr int logicalSize = 72;
    const qreal ratio = m_aboutWindow->devicePixelRatioF();
    QPixmap icon(QSize(logicalSize, logicalSize) * ratio);
    icon.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/presenter-countdown.svg"));
    QPainter painter(&icon);
    renderer.render(&painter);
    painter.end();
    icon.setDevicePixelRatio(ratio);
    m_ui->iconLabel->setPixmap(icon);
}

void AboutWindowController::windowDidLoad()
{
    QWidget* window = m_aboutWindow.get();
    window->resize(window->size().expandedTo(window->minimumSizeHint())); // the size it will show at
    if (m_floatWindow)
        m_floatWindow(window);
}

void AboutWindowController::showWindow(const QScreen* screen)
{
    QWidget* window = aboutWindow();
    if (!screen)
        screen = window->screen();
    const QRectF screenFrame = screen ? QRectF(screen->geometry()) : QRectF();
    window->move(PanelGeometry::centredOrigin(screenFrame, window->size()).toPoint());
    window->show();
    window->raise();
    window->activateWindow();
}

void AboutWindowController::closeClicked()
{
    if (m_aboutWindow)
        m_aboutWindow->close();
}
