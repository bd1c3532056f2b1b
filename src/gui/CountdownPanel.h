#pragma once

#include "CachedGlyphs.h"
#include "DisplayFitting.h"
#include "PanelGeometry.h"
#include "RemainingTime.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <array>

class QAction;
class QMenu;

// The borderless countdown panel: it fits, lays out and paints its own digits and captions on its
// visible area, and around it, when a compositor runs and the shadow is on, a soft shadow in a
// transparent margin. It moves and resizes itself under the mouse rather than asking the window
// manager, and it never takes the keyboard. Its menu's entries are announced as signals.
class CountdownPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr QSize MinimumContentSize{120, 48};

    explicit CountdownPanel(QWidget* parent = nullptr);

    QString digits() const { return m_digits; }
    const RemainingTime::Parts& remaining() const { return m_remaining; }
    // A tick repaints the digits alone. The fit is redone when the text changes length; in the compact
    // form only when the groups shown or the sign change or the text grows, and a text that only got
    // shorter is centred again at the same size.
    void setRemaining(const RemainingTime::Parts& remaining);
    bool isCompact() const { return m_compact; }
    void setCompact(bool compact);
    // A paused countdown shows its digits faded.
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    // The menu offers Start Again and Pause only while a duration is counted, and Resume while paused.
    void setDurationMenu(bool durationCounted, bool paused);

    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color);
    // The colour asked for; without a compositor it is drawn opaque, since nothing would show through.
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor& color);

    // Translucent margins only look like a shadow where a compositor blends them; elsewhere they would
    // show as black. Decide before the window is first created.
    void setTranslucentShadowSupported(bool supported);
    bool hasShadow() const { return m_hasShadow; }
    void setHasShadow(bool hasShadow);
    QMargins shadowMargins() const;
    // The visible panel, in the widget's own coordinates.
    QRect contentRect() const { return rect().marginsRemoved(shadowMargins()); }

    // What the fit decided, in the widget's own coordinates.
    int digitSize() const { return m_digitFont.pixelSize(); }
    int captionSize() const { return m_captionFont.pixelSize(); }
    QRect digitsRect() const { return m_digitsRect; }
    // One for each group shown, left to right.
    const QList<QRect>& captionRects() const { return m_captionRects; }
    QStringList captions() const;

signals:
    // The visible panel changed size; not sent for the size the panel is first shown at.
    void resized();
    void settingsRequested();
    void startAgainRequested();
    void pauseRequested();
    void resumeRequested();
    void aboutRequested();
    void contactRequested();
    void userGuideRequested();
    void quitRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setupMenu();
    void fit();
    void place();
    QRect changedDigits(const QString& text);
    void paintShadow(QPainter& painter);
    void updateCursor(QPoint pos);
    QRect contentGeometryOnScreen() const;
    std::array<QString, 4> captionTexts() const;

    QMenu* m_menu = nullptr;
    QAction* m_startAgainAction = nullptr;
    QAction* m_pauseAction = nullptr;
    QAction* m_resumeAction = nullptr;
    RemainingTime::Parts m_remaining;
    QString m_digits;
    QString m_fittedDigits;
    bool m_compact = false;
    bool m_paused = false;
    QColor m_textColor = Qt::black;
    QColor m_backgroundColor = Qt::white;
    bool m_shadowSupported = false;
    bool m_hasShadow = false;

    QFont m_digitFont;
    CachedGlyphs m_digitGlyphs;
    QFont m_captionFont;
    QRect m_digitsRect;
    QList<QRect> m_captionRects;
    QSize m_fittedContentSize;

    // The gesture in progress: which edges the press grabbed (none for a move), and where it started.
    bool m_pressed = false;
    PanelGeometry::Edges m_grabbedEdges;
    QPoint m_pressGlobal;
    QRect m_contentAtPress;
};
