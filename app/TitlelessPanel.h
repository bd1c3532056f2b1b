#pragma once

#include "app/PanelGeometry.h"

#include <QColor>
#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QMenu;

namespace Ui {
class TitlelessPanel;
}

// The borderless countdown panel. The display field and the four captions lie on its content area, the
// visible panel; around it, when a compositor runs and the shadow is on, the panel draws its own soft
// shadow in a transparent margin. The panel moves and resizes itself under the mouse rather than asking
// the window manager, and it never takes the keyboard.
class TitlelessPanel : public QWidget {
    Q_OBJECT

public:
    explicit TitlelessPanel(QWidget* parent = nullptr);
    ~TitlelessPanel() override;

    QWidget* contentArea() const;
    QLabel* input() const;
    QLabel* lblDays() const;
    QLabel* lblHours() const;
    QLabel* lblMinutes() const;
    QLabel* lblSeconds() const;

    QMenu* rightClickMenu() const { return m_rightClickMenu; }
    QAction* settingsAction() const;
    QAction* aboutAction() const;
    QAction* contactAction() const;
    QAction* userGuideAction() const;
    QAction* quitAction() const;

    // Translucent margins only look like a shadow where a compositor blends them; elsewhere they would
    // show as black. Decide before the window is first created.
    void setTranslucentShadowSupported(bool supported);
    bool hasShadow() const { return m_hasShadow; }
    void setHasShadow(bool hasShadow);
    QMargins shadowMargins() const;

    // The colour asked for; without a compositor it is drawn opaque, since nothing shows through.
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor& color);

    void setMovableByWindowBackground(bool movable) { m_movableByBackground = movable; }

    static constexpr QSize MinimumContentSize{120, 48};

signals:
    // The content area changed size; not sent for the size the panel is first shown at.
    void resized();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setupMenu();
    void updateCursor(QPoint pos);
    void applyBackgroundColor();
    QRect contentGeometryOnScreen() const;

    std::unique_ptr<Ui::TitlelessPanel> m_ui;
    QMenu* m_rightClickMenu = nullptr;
    bool m_shadowSupported = false;
    bool m_hasShadow = false;
    QColor m_backgroundColor;
    bool m_movableByBackground = false;

    // The gesture in progress: which edges the press grabbed (none for a move), and where it started.
    bool m_pressed = false;
    PanelGeometry::Edges m_grabbedEdges;
    QPoint m_pressGlobal;
    QRect m_contentAtPress;
};
