#include "SettingsDialog.h"

#include "ColorArchive.h"
#include "Settings.h"

#include "ui_SettingsDialog.h"

#include <QSignalBlocker>

namespace {

// A colour the settings hold no usable blob for shows as the fallback, and its bytes become the
// fallback's archive, so that Reset always has bytes to write.
QColor colorFrom(const std::optional<QByteArray>& stored, Qt::GlobalColor fallback, QByteArray& bytes)
{
    if (!stored) {
        bytes = ColorArchive::archive(QColor(fallback));
        return QColor(fallback);
    }
    bytes = *stored;
    return ColorArchive::unarchive(*stored).value_or(QColor(fallback));
}

} // namespace

SettingsDialog::SettingsDialog(Settings& settings, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_ui(std::make_unique<Ui::SettingsDialog>())
    , m_opening(read())
{
    m_ui->setupUi(this);
    adjustSize();
    showValues(m_opening);

    // The controls report only what the user does: values set from code are shown with signals held.
    // Enter makes the picker read its text back, which names the same second without its milliseconds:
    // nothing the user changed.
    connect(m_ui->targetDateTimePicker, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& target) {
        if (target.toSecsSinceEpoch() == m_shownTarget.toSecsSinceEpoch())
            return;
        m_shownTarget = target;
        m_settings.setTargetDateTime(target);
    });
    connect(m_ui->textColorWell, &ColorWell::colorChanged, this,
            [this](const QColor& color) { m_settings.setTextColor(ColorArchive::archive(color)); });
    connect(m_ui->bgColorWell, &ColorWell::colorChanged, this,
            [this](const QColor& color) { m_settings.setBgColor(ColorArchive::archive(color)); });
    // Only a plain tick means on; the mixed state of a tri-state box does not.
    connect(m_ui->dropShadowCheckbox, &QCheckBox::clicked, this,
            [this] { m_settings.setDropShadow(m_ui->dropShadowCheckbox->checkState() == Qt::Checked); });
    connect(m_ui->resetButton, &QPushButton::clicked, this, &SettingsDialog::reset);
}

SettingsDialog::~SettingsDialog() = default;

SettingsDialog::Values SettingsDialog::read() const
{
    Values values;
    // The panel counts to the default when the stored target is unreadable; so does this window.
    values.target =
        m_settings.targetDateTime().value_or(m_settings.defaultValue(Settings::Key::TargetDateTime).toDateTime());
    values.textColor = colorFrom(m_settings.textColor(), Qt::black, values.textColorBytes);
    values.bgColor = colorFrom(m_settings.bgColor(), Qt::white, values.bgColorBytes);
    values.dropShadow = m_settings.dropShadow();
    return values;
}

void SettingsDialog::showValues(const Values& values)
{
    m_shownTarget = values.target;
    if (values.target.isValid()) {
        const QSignalBlocker quiet(m_ui->targetDateTimePicker);
        m_ui->targetDateTimePicker->setDateTime(values.target.toLocalTime());
    }
    m_ui->textColorWell->setColor(values.textColor);
    m_ui->bgColorWell->setColor(values.bgColor);
    const QSignalBlocker quiet(m_ui->dropShadowCheckbox);
    m_ui->dropShadowCheckbox->setCheckState(values.dropShadow ? Qt::Checked : Qt::Unchecked);
}

void SettingsDialog::reset()
{
    // All controls first, then the four writes, each announced before the next begins.
    showValues(m_opening);
    m_settings.setTargetDateTime(m_opening.target);
    m_settings.setTextColor(m_opening.textColorBytes);
    m_settings.setBgColor(m_opening.bgColorBytes);
    m_settings.setDropShadow(m_opening.dropShadow);
}
