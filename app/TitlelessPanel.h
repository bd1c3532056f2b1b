#pragma once

#include <QWidget>

#include <memory>

class QLabel;

namespace Ui {
class TitlelessPanel;
}

// The countdown panel: the display field and the four captions lie directly on it, where the fitting
// puts them.
class TitlelessPanel : public QWidget {
    Q_OBJECT

public:
    explicit TitlelessPanel(QWidget* parent = nullptr);
    ~TitlelessPanel() override;

    QLabel* input() const;
    QLabel* lblDays() const;
    QLabel* lblHours() const;
    QLabel* lblMinutes() const;
    QLabel* lblSeconds() const;

    bool hasShadow() const { return m_hasShadow; }
    void setHasShadow(bool hasShadow);

signals:
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<Ui::TitlelessPanel> m_ui;
    bool m_hasShadow = false;
};
