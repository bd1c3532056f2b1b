#include "CountdownPanel.h"

#include "FontMeasurer.h"

#include <QAccessible>
#include <QAccessibleWidget>
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
constexpr double kPausedOpacity = 0.4;

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

// Screen readers read the time left as words rather than as a string of digits and colons. The words cost
// more to compose than the digits, so they are composed when a screen reader asks, not every second.
class SpokenPanel : public QAccessibleWidget {
public:
    explicit SpokenPanel(CountdownPanel* panel)
        : QAccessibleWidget(panel)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        return RemainingTime::spoken(static_cast<const CountdownPanel*>(widget())->remaining());
    }
};

QAccessibleInterface* spokenPanel(const QString& className, QObject* object)
{
    if (className != QLatin1String("CountdownPanel") || !object->isWidgetType())
        return nullptr;
    return new SpokenPanel(static_cast<CountdownPanel*>(object));
}

} // namespace

CountdownPanel::CountdownPanel(QWidget* parent)
    : QWidget(parent)
    , m_digits(RemainingTime::text(RemainingTime::Parts{}))
{
    setWindowTitle(tr("Presenter Countdown"));
    [[maybe_unused]] static const bool factoryInstalled = (QAccessible::installFactory(spokenPanel), true);
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
        return action;
    };
    m_startAgainAction = add(QStringLiteral("startAgainAction"),
                             tr("Start Again", "context menu: counts the same duration again from now"),
                             &CountdownPanel::startAgainRequested);
    m_pauseAction = add(QStringLiteral("pauseAction"), tr("Pause", "context menu"), &CountdownPanel::pauseRequested);
    m_resumeAction = add(QStringLiteral("resumeAction"), tr("Resume", "context menu: counts on after a pause"),
                         &CountdownPanel::resumeRequested);
    setDurationMenu(false, false);
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

void CountdownPanel::setDurationMenu(bool durationCounted, bool paused)
{
    m_startAgainAction->setVisible(durationCounted);
    m_pauseAction->setVisible(durationCounted && !paused);
    m_resumeAction->setVisible(paused);
}

std::array<QString, 4> CountdownPanel::captionTexts() const
{
    return {tr("Days", "caption under the days digits"), tr("Hours", "caption under the hours digits"),
            tr("Minutes", "caption under the minutes digits"), tr("Seconds", "caption under the seconds digits")};
}

QStringList CountdownPanel::captions() const
{
    const std::array<QString, 4> all = captionTexts();
    const qsizetype groups = m_digits.count(QLatin1Char(':')) + 1;
    return QStringList(all.end() - std::min<qsizetype>(groups, 4), all.end());
}

void CountdownPanel::setRemaining(const RemainingTime::Parts& remaining)
{
    m_remaining = remaining;
    const QString text = RemainingTime::text(remaining, m_compact);
    // Asking for the event's interface would create it; while no screen reader listens, nobody needs it.
    if (QAccessible::isActive()) {
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
    if (text == m_digits)
        return;
    const QString before = m_digits;
    const QRect changed = text.size() == before.size() ? changedDigits(text) : QRect();
    m_digits = text;
    const auto shape = [](const QString& digits) {
        return std::pair(digits.count(QLatin1Char(':')), digits.startsWith(QLatin1Char('-')));
    };
    if (m_compact ? shape(text) != shape(m_fittedDigits) || text.size() > m_fittedDigits.size()
                  : text.size() != before.size())
        fit();
    else if (text.size() != before.size())
        place();
    else
        update(changed);
}

// A tick changes the last digit or few, and every pixel painted again is sent to the display server: so
// only the pixels of the digits that change are, as they were and as they will be.
QRect CountdownPanel::changedDigits(const QString& text)
{
    const qsizetype first =
        std::mismatch(m_digits.begin(), m_digits.end(), text.begin(), text.end()).second - text.begin();
    return m_digitGlyphs.bounds(m_digitsRect, m_digitFont, m_digits, first) |
           m_digitGlyphs.bounds(m_digitsRect, m_digitFont, text, first);
}

void CountdownPanel::setCompact(bool compact)
{
    m_compact = compact;
    m_digits = RemainingTime::text(m_remaining, m_compact);
    fit();
}

void CountdownPanel::setPaused(bool paused)
{
    m_paused = paused;
    update(m_digitsRect);
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
    m_fittedDigits = m_digits;
    const int size =
        DisplayFitting::digitSize(content.size(), DisplayFitting::fontMeasurer(QGuiApplication::font(), m_digits));
    m_digitFont = interfaceFont(size);
    m_captionFont = interfaceFont(DisplayFitting::captionSize(size));
    place();
}

// The four plain groups keep the pitch derived from the digits' width; any other text has its captions
// set under the groups where they really lie.
void CountdownPanel::place()
{
    const QRect content = contentRect();
    const QSizeF panel = content.size();
    const QStringList captions = this->captions();
    QList<QSizeF> captionSizes;
    for (const QString& caption : captions)
        captionSizes.append(textSize(m_captionFont, caption));
    const QSizeF digits = textSize(m_digitFont, m_digits);
    const bool plain = captions.size() == 4 && !m_digits.startsWith(QLatin1Char('-'));
    const auto layout = plain ? DisplayFitting::placeFields(
                                    panel, digits, {captionSizes[0], captionSizes[1], captionSizes[2], captionSizes[3]})
                              : DisplayFitting::placeUnderGroups(panel, digits, captionSizes,
                                                                 DisplayFitting::groupSpans(m_digitFont, m_digits));
    m_digitsRect = DisplayFitting::toWidgetRect(layout.display, panel.height()).translated(content.topLeft());
    m_captionRects.clear();
    for (const QRectF& caption : layout.captions)
        m_captionRects.append(DisplayFitting::toWidgetRect(caption, panel.height()).translated(content.topLeft()));
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

    QColor digitColor = m_textColor;
    if (m_paused)
        digitColor.setAlphaF(digitColor.alphaF() * kPausedOpacity);
    m_digitGlyphs.draw(painter, m_digitsRect, m_digitFont, digitColor, m_digits);
    // A tick repaints the digits alone; laying out captions that are clipped away would cost as much.
    QRect captionsArea;
    for (const QRect& caption : m_captionRects)
        captionsArea |= caption;
    if (!event->region().intersects(captionsArea))
        return;
    QColor captionColor = m_textColor;
    captionColor.setAlphaF(kCaptionOpacity);
    painter.setPen(captionColor);
    painter.setFont(m_captionFont);
    const QStringList captions = this->captions();
    for (qsizetype i = 0; i < captions.size() && i < m_captionRects.size(); ++i)
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
