#include "app/TitlelessPanel.h"

#include "ui_TitlelessPanel.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kResizeBorder = 6;
constexpr int kResizeGrip = 16;
constexpr int kShadowRadius = 14;
constexpr int kShadowOffsetY = 4;
constexpr int kShadowDarkest = 110; // alpha where the shadow meets the panel

Qt::CursorShape cursorFor(PanelGeometry::Edges edges)
{
    using namespace PanelGeometry;
    const bool horizontal = edges & (Left | Right);
    const bool vertical = edges & (Top | Bottom);
    if (horizontal && vertical) {
        const bool mainDiagonal = (edges & Left && edges & Top) || (edges & Right && edges & Bottom);
        return mainDiagonal ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

} // namespace

TitlelessPanel::TitlelessPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::TitlelessPanel>())
{
    m_ui->setupUi(this);
    // Every press lands on the panel itself, wherever on it the user grabs.
    for (QWidget* child : {m_ui->contentArea, static_cast<QWidget*>(m_ui->input), static_cast<QWidget*>(m_ui->lblDays),
                           static_cast<QWidget*>(m_ui->lblHours), static_cast<QWidget*>(m_ui->lblMinutes),
                           static_cast<QWidget*>(m_ui->lblSeconds)})
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ui->contentArea->installEventFilter(this);
    setMouseTracking(true);
    setMinimumSize(MinimumContentSize);
    setupMenu();
}

TitlelessPanel::~TitlelessPanel() = default;

void TitlelessPanel::setupMenu()
{
    m_rightClickMenu = new QMenu(this);
    m_rightClickMenu->addAction(m_ui->settingsAction);
    m_rightClickMenu->addAction(m_ui->aboutAction);
    m_rightClickMenu->addSeparator();
    m_rightClickMenu->addAction(m_ui->contactAction);
    m_rightClickMenu->addAction(m_ui->userGuideAction);
    m_rightClickMenu->addSeparator();
    m_rightClickMenu->addAction(m_ui->quitAction);
}

QWidget* TitlelessPanel::contentArea() const
{
    return m_ui->contentArea;
}

QLabel* TitlelessPanel::input() const
{
    return m_ui->input;
}

QLabel* TitlelessPanel::lblDays() const
{
    return m_ui->lblDays;
}

QLabel* TitlelessPanel::lblHours() const
{
    return m_ui->lblHours;
}

QLabel* TitlelessPanel::lblMinutes() const
{
    return m_ui->lblMinutes;
}

QLabel* TitlelessPanel::lblSeconds() const
{
    return m_ui->lblSeconds;
}

QAction* TitlelessPanel::settingsAction() const
{
    return m_ui->settingsAction;
}

QAction* TitlelessPanel::aboutAction() const
{
    return m_ui->aboutAction;
}

QAction* TitlelessPanel::contactAction() const
{
    return m_ui->contactAction;
}

QAction* TitlelessPanel::userGuideAction() const
{
    return m_ui->userGuideAction;
}

QAction* TitlelessPanel::quitAction() const
{
    return m_ui->quitAction;
}

void TitlelessPanel::setTranslucentShadowSupported(bool supported)
{
    m_shadowSupported = supported;
    setAttribute(Qt::WA_TranslucentBackground, supported);
    setAttribute(Qt::WA_NoSystemBackground, supported);
    applyBackgroundColor();
}

QMargins TitlelessPanel::shadowMargins() const
{
    if (!m_shadowSupported || !m_hasShadow)
        return {};
    return QMargins(kShadowRadius, kShadowRadius - kShadowOffsetY, kShadowRadius, kShadowRadius + kShadowOffsetY);
}

void TitlelessPanel::setHasShadow(bool hasShadow)
{
    if (hasShadow == m_hasShadow)
        return;
    // The visible panel stays where it is on screen; only the margin around it grows or shrinks.
    const QRect content = contentGeometryOnScreen();
    m_hasShadow = hasShadow;
    const QMargins margins = shadowMargins();
    setMinimumSize(MinimumContentSize.grownBy(margins));
    if (isVisible())
        setGeometry(content.marginsAdded(margins));
    else
        resize(content.size().grownBy(margins)); // leave the first placement to the window manager
    m_ui->contentArea->setGeometry(rect().marginsRemoved(margins));
    update();
}

void TitlelessPanel::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    applyBackgroundColor();
}

void TitlelessPanel::applyBackgroundColor()
{
    // Without a compositor a see-through colour would be blended with the system's window grey.
    QColor shown = m_backgroundColor;
    if (!m_shadowSupported)
        shown.setAlpha(255);
    QPalette palette = m_ui->contentArea->palette();
    palette.setColor(QPalette::Window, shown);
    m_ui->contentArea->setPalette(palette);
}

QRect TitlelessPanel::contentGeometryOnScreen() const
{
    return geometry().marginsRemoved(shadowMargins());
}

bool TitlelessPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->contentArea && event->type() == QEvent::Resize &&
        static_cast<QResizeEvent*>(event)->oldSize().isValid())
        emit resized();
    return QWidget::eventFilter(watched, event);
}

void TitlelessPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_ui->contentArea->setGeometry(rect().marginsRemoved(shadowMargins()));
}

void TitlelessPanel::paintEvent(QPaintEvent* event)
{
    const QMargins margins = shadowMargins();
    if (margins.isNull())
        return;
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Layers of faint black, each a little larger than the last: a point d pixels out is covered by the
    // layers from d outward, so the shadow darkens towards the panel, roughly as (1 - d / radius)^2.
    const QRectF base = QRectF(m_ui->contentArea->geometry()).translated(0, kShadowOffsetY);
    constexpr double radius = kShadowRadius;
    for (int spread = kShadowRadius; spread > 0; --spread) {
        const int alpha = static_cast<int>(kShadowDarkest * 2.0 * (radius - spread + 0.5) / (radius * radius));
        painter.setBrush(QColor(0, 0, 0, std::max(1, alpha)));
        painter.drawRoundedRect(base.adjusted(-spread, -spread, spread, spread), spread, spread);
    }
}

void TitlelessPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QRect content = m_ui->contentArea->geometry();
    m_grabbedEdges = PanelGeometry::edgesAt(content, event->position().toPoint(), kResizeBorder, kResizeGrip);
    m_pressed = m_grabbedEdges || m_movableByBackground;
    m_pressGlobal = event->globalPosition().toPoint();
    m_contentAtPress = contentGeometryOnScreen();
}

void TitlelessPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressed) {
        updateCursor(event->position().toPoint());
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - m_pressGlobal;
    const QMargins margins = shadowMargins();
    if (!m_grabbedEdges) {
        move(m_contentAtPress.topLeft() + delta - QPoint(margins.left(), margins.top()));
        return;
    }
    const QRect content = PanelGeometry::resized(m_contentAtPress, m_grabbedEdges, delta, MinimumContentSize);
    setGeometry(content.marginsAdded(margins));
}

void TitlelessPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    updateCursor(event->position().toPoint());
}

void TitlelessPanel::contextMenuEvent(QContextMenuEvent* event)
{
    m_rightClickMenu->popup(event->globalPos());
}

void TitlelessPanel::updateCursor(QPoint pos)
{
    setCursor(cursorFor(PanelGeometry::edgesAt(m_ui->contentArea->geometry(), pos, kResizeBorder, kResizeGrip)));
}
