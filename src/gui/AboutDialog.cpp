#include "AboutDialog.h"

#include "BuildInfo.h"

#include "ui_AboutDialog.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AboutDialog>())
{
    m_ui->setupUi(this);
    m_ui->versionLabel->setText(tr("Version %1").arg(QStringLiteral(PC_VERSION)));
    QFont nameFont = m_ui->nameLabel->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    nameFont.setBold(true);
    m_ui->nameLabel->setFont(nameFont);
    showIcon();
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QDialog::accept);
    resize(size().expandedTo(minimumSizeHint())); // the size it will show at, for centring
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::showIcon()
{
    // Drawn from the vector icon at the screen's pixel density, so it stays sharp on any screen.
    constexpr int logicalSize = 72;
    const qreal ratio = devicePixelRatioF();
    QPixmap icon(QSize(logicalSize, logicalSize) * ratio);
    icon.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/presenter-countdown.svg"));
    QPainter painter(&icon);
    renderer.render(&painter);
    painter.end();
    icon.setDevicePixelRatio(ratio);
    m_ui->iconLabel->setPixmap(icon);
}
