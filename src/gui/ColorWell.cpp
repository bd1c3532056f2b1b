#include "ColorWell.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {
constexpr int kSwatchInset = 6;
}

ColorWell::ColorWell(QWidget* parent)
    : QPushButton(parent)
{
    setMinimumSize(64, 28);
    // A dialog makes its first auto-default button the default one, which Enter in a text field would press.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ColorWell::pickColor);
}

void ColorWell::setColor(const QColor& color)
{
    if (!color.isValid() || color == m_color)
        return;
    m_color = color;
    setAccessibleDescription(color.name());
    update();
}

void ColorWell::userChose(const QColor& color)
{
    if (!color.isValid() || color == m_color)
        return;
    setColor(color);
    emit colorChanged(color);
}

void ColorWell::pickColor()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    const QColor original = m_color;
    m_dialog = new QColorDialog(original, window());
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->setOption(QColorDialog::DontUseNativeDialog); // the native one reports only the final colour
    m_dialog->setWindowTitle(accessibleName().isEmpty() ? tr("Choose a Colour") : accessibleName());
    connect(m_dialog, &QColorDialog::currentColorChanged, this, &ColorWell::userChose);
    connect(m_dialog, &QColorDialog::colorSelected, this, &ColorWell::userChose);
    connect(m_dialog, &QDialog::rejected, this, [this, original] { userChose(original); });
    m_dialog->open();
}

void ColorWell::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect swatch = rect().adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
    painter.fillRect(swatch, m_color);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}
