#include "app/TitlelessPanel.h"

#include "ui_TitlelessPanel.h"

#include <QResizeEvent>

TitlelessPanel::TitlelessPanel(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::TitlelessPanel>())
{
    m_ui->setupUi(this);
    setAutoFillBackground(true);
}

TitlelessPanel::~TitlelessPanel() = default;

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

void TitlelessPanel::setHasShadow(bool hasShadow)
{
    m_hasShadow = hasShadow;
}

void TitlelessPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The size a window is first shown at is no resize by the user: the launch has fitted it already.
    if (event->oldSize().isValid())
        emit resized();
}
