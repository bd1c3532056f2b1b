#include "CountdownPanel.h"

#include "FontMeasurer.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kResizeBorder = 6;
constexpr int kResizeGrip = 16;
constexpr int kShadowRadius = 14;
constexpr int kShadowOffsetY = 4;
constexpr int kShadowDarkest = 110; // alpha where the shadow meets the panel
constexpr double kCaptionOpacity = 0.6;

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

QFont interfaceFont(int pixelSize)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    return font;
}

QSizeF textSize(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    return QSizeF(metrics.horizontalAdvance(text), metrics.height());
}

} // namespace

CountdownPanel::CountdownPanel(QWidget* parent)
    : QWidget(parent)
    , m_digits(RemainingTime::text(RemainingTime::Parts{}))
{
    setWindowTitle(tr("Presenter Countdown"));
    setMouseTracking(true);
    setMinimumSize(MinimumContentSize);
    resize(400, 150);
    setupMenu();
}

void CountdownPanel::setupMenu()
{
    m_menu = new QMenu(this);
    const auto add = [this](const QString& objectName, const QString& text, void (CountdownPanel::*signal)()) {
        QAction* action = m_menu->addAction(text, this, signal);
        action->setObjectName(objectName);
    };
    add(QStringLiteral("settingsAction"), tr("Settings…", "context menu: opens the settings window"),
        &CountdownPanel::settingsRequested);
    add(QStringLiteral("aboutAction"), tr("About Presenter Countdown", "context menu"),
        &CountdownPanel::aboutRequested);
    m_menu->addSeparator();
    add(QStringLiteral("contactAction"), tr("Contact Support…", "context menu: opens the contact page in the browser"),
        &CountdownPanel::contactRequested);
    add(QStringLiteral("userGuideAction"), tr("User Guide…", "context menu: opens the user guide in the browser"),
        &CountdownPanel::userGuideRequested);
    m_menu->addSeparator();
    add(QStringLiteral("quitAction"), tr("Quit", "context menu"), &CountdownPanel::quitRequested);
}

std::array<QString, 4> CountdownPanel::captionTexts() const
{
    return {tr("Days", "caption under the days digits"), tr("Hours", "caption under the hours digits"),
            tr("Minutes", "caption under the minutes digits"), tr("Seconds", "caption under the seconds digits")};
}

void CountdownPanel::setRemaining(const RemainingTime::Parts& remaining)
{
    const QString text = RemainingTime::text(remaining);
    // Screen readers read the time left as words rather than as a string of digits and colons.
    setAccessibleName(RemainingTime::spoken(remaining));
    if (text == m_digits)
        return;
    const bool refit = text.size() != m_digits.size();
    const QRect changed = refit ? QRect() : changedDigits(text);
    m_digits = text;
    if (refit)
        fit();
    else
        update(changed);
}

// A tick changes the last digit or few, and every pixel painted again is sent to the display server: so
// only the digits from the first that changes are, widened by half a digit and two pixels for kerning,
// bearings and anti-aliased edges, which the advances of single characters leave out.
QRect CountdownPanel::changedDigits(const QString& text) const
{
    const auto first = std::mismatch(m_digits.begin(), m_digits.end(), text.begin(), text.end()).second;
    const QFontMetrics metrics(m_digitFont);
    const int slack = metrics.averageCharWidth() / 2 + 2;
    const int left = m_digitsRect.left() + metrics.horizontalAdvance(text.left(first - text.begin())) - slack;
    return QRect(QPoint(std::max(left, m_digitsRect.left() - slack), m_digitsRect.top()),
                 m_digitsRect.bottomRight() + QPoint(slack, 0));
}

void CountdownPanel::setTextColor(const QColor& color)
{
    m_textColor = color;
    update();
}

void CountdownPanel::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    update();
}

void CountdownPanel::setTranslucentShadowSupported(bool supported)
{
    m_shadowSupported = supported;
    setAttribute(Qt::WA_TranslucentBackground, supported);
    setAttribute(Qt::WA_NoSystemBackground, supported);
    // Without translucency every pixel is painted here, so Qt need not clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent, !supported);
}

QMargins CountdownPanel::shadowMargins() const
{
    if (!m_shadowSupported || !m_hasShadow)
        return {};
    return QMargins(kShadowRadius, kShadowRadius - kShadowOffsetY, kShadowRadius, kShadowRadius + kShadowOffsetY);
}

void CountdownPanel::setHasShadow(bool hasShadow)
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
    fit();
}

QRect CountdownPanel::contentGeometryOnScreen() const
{
    return geometry().marginsRemoved(shadowMargins());
}

void CountdownPanel::fit()
{
    const QRect content = contentRect();
    m_fittedContentSize = content.size();
    const QSizeF panel = content.size();
    const int size = DisplayFitting::digitSize(panel, DisplayFitting::fontMeasurer(QGuiApplication::font(), m_digits));
    m_digitFont = interfaceFont(size);
    m_captionFont = interfaceFont(DisplayFitting::captionSize(size));

    const std::array<QString, 4> captions = captionTexts();
    std::array<QSizeF, 4> captionSizes;
    for (std::size_t i = 0; i < captions.size(); ++i)
        captionSizes[i] = textSize(m_captionFont, captions[i]);
    const auto layout = DisplayFitting::placeFields(panel, textSize(m_digitFont, m_digits), captionSizes);
    m_digitsRect = DisplayFitting::toWidgetRect(layout.display, panel.height()).translated(content.topLeft());
    for (std::size_t i = 0; i < captions.size(); ++i)
        m_captionRects[i] =
            DisplayFitting::toWidgetRect(layout.captions[i], panel.height()).translated(content.topLeft());
    update();
}

void CountdownPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (contentRect().size() == m_fittedContentSize)
        return; // the shadow came or went around a panel of the same size
    fit();
    // The size the panel is first shown at is nobody's gesture.
    if (event->oldSize().isValid())
        emit resized();
}

void CountdownPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    if (!shadowMargins().isNull())
        paintShadow(painter);
    // Without a compositor a see-through colour would be blended with whatever the window held before.
    QColor background = m_backgroundColor;
    if (!m_shadowSupported)
        background.setAlpha(255);
    painter.fillRect(contentRect(), background);

    painter.setPen(m_textColor);
    painter.setFont(m_digitFont);
    painter.drawText(m_digitsRect, Qt::AlignLeft | Qt::AlignVCenter, m_digits);
    // A tick repaints the digits alone; laying out captions that are clipped away would cost as much.
    if (!event->region().intersects(m_captionRects[0].united(m_captionRects[3])))
        return;
    QColor captionColor = m_textColor;
    captionColor.setAlphaF(kCaptionOpacity);
    painter.setPen(captionColor);
    painter.setFont(m_captionFont);
    const std::array<QString, 4> captions = captionTexts();
    for (std::size_t i = 0; i < captions.size(); ++i)
        painter.drawText(m_captionRects[i], Qt::AlignLeft | Qt::AlignVCenter, captions[i]);
}

void CountdownPanel::paintShadow(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Layers of faint black, each a little larger than the last: a point d pixels out is covered by the
    // layers from d outward, so the shadow darkens towards the panel, roughly as (1 - d / radius)^2.
    const QRectF base = QRectF(contentRect()).translated(0, kShadowOffsetY);
    constexpr double radius = kShadowRadius;
    for (int spread = kShadowRadius; spread > 0; --spread) {
        const int alpha = static_cast<int>(kShadowDarkest * 2.0 * (radius - spread + 0.5) / (radius * radius));
        painter.setBrush(QColor(0, 0, 0, std::max(1, alpha)));
        painter.drawRoundedRect(base.adjusted(-spread, -spread, spread, spread), spread, spread);
    }
    painter.restore();
}

void CountdownPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_grabbedEdges = PanelGeometry::edgesAt(contentRect(), event->position().toPoint(), kResizeBorder, kResizeGrip);
    m_pressed = true;
    m_pressGlobal = event->globalPosition().toPoint();
    m_contentAtPress = contentGeometryOnScreen();
}

void CountdownPanel::mouseMoveEvent(QMouseEvent* event)
{
    // A compositor that keeps no pointer grab for the panel (sway, for override-redirect windows) sends
    // the release to whatever lies under the pointer by then; the next motion without the button ends the
    // drag instead of carrying it on.
    if (m_pressed && !(event->buttons() & Qt::LeftButton))
        m_pressed = false;
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

void CountdownPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    updateCursor(event->position().toPoint());
}

void CountdownPanel::contextMenuEvent(QContextMenuEvent* event)
{
    m_menu->popup(event->globalPos());
}

void CountdownPanel::updateCursor(QPoint pos)
{
    setCursor(cursorFor(PanelGeometry::edgesAt(contentRect(), pos, kResizeBorder, kResizeGrip)));
}
