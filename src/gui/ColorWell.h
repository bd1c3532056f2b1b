#pragma once

#include <QColor>
#include <QColorDialog>
#include <QPointer>
#include <QPushButton>

// A swatch that shows a colour and lets the user pick another in a colour dialog. It reports every colour
// the user picks, as they pick it, so that the change shows at once; cancelling the dialog reports the
// colour it started from. Setting the colour from code reports nothing.
class ColorWell : public QPushButton {
    Q_OBJECT

public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    QColorDialog* dialog() const { return m_dialog; }

signals:
    void colorChanged(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void pickColor();
    void userChose(const QColor& color);

    QColor m_color = Qt::black;
    QPointer<QColorDialog> m_dialog;
};
