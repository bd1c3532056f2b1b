#include "SettingsDialog.h"

#include "ColorArchive.h"
#include "TimeInput.h"
#include "TimerControl.h"

#include "ui_SettingsDialog.h"

#include <QSignalBlocker>

namespace {

using Key = Settings::Key;
constexpr std::array kFlagKeys{Key::DropShadow, Key::WarningOn, Key::FinalOn, Key::Overtime, Key::Compact};
constexpr std::array kSecondsKeys{Key::Duration, Key::WarningAt, Key::FinalAt};
constexpr std::array kColorKeys{Key::TextColor,      Key::BgColor,      Key::WarningTextColor,  Key::WarningBgColor,
                                Key::FinalTextColor, Key::FinalBgColor, Key::OvertimeTextColor, Key::OvertimeBgColor};

void showDuration(QLineEdit* edit, qint64 seconds)
{
    edit->setText(TimeInput::durationText(seconds));
    edit->setStyleSheet(QString());
}

} // namespace

SettingsDialog::SettingsDialog(Settings& settings, Countdown::Clock clock, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_clock(std::move(clock))
    , m_ui(std::make_unique<Ui::SettingsDialog>())
    , m_opening(read())
{
    m_ui->setupUi(this);
    adjustSize();
    showValues(m_opening);

    // The controls report only what the user does: values set from code are shown with signals held.
    connectEnd();
    connectFlags();
    for (const auto& [key, well] : wells()) {
        connect(well, &ColorWell::colorChanged, this,
                [this, key = key](const QColor& color) { m_settings.setColorBlob(key, ColorArchive::archive(color)); });
    }
    // A threshold typed in is one the user wants on, as --warn-at turns it on.
    const auto threshold = [this](QLineEdit* edit, QCheckBox* box, Key on, Key at) {
        connectDuration(
            edit, at,
            [this, on, at](qint64 seconds) { return !m_settings.flag(on) || seconds != m_settings.seconds(at); },
            [this, box, on, at](qint64 seconds) {
                m_settings.setSeconds(at, seconds);
                m_settings.setFlag(on, true);
                box->setChecked(true);
            });
    };
    threshold(m_ui->warningEdit, m_ui->warningCheckbox, Key::WarningOn, Key::WarningAt);
    threshold(m_ui->finalEdit, m_ui->finalCheckbox, Key::FinalOn, Key::FinalAt);
    connect(m_ui->resetButton, &QPushButton::clicked, this, &SettingsDialog::reset);
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::connectEnd()
{
    // Enter makes the pickers read their text back, which names the same minute or second without the
    // parts they do not show: nothing the user changed.
    connect(m_ui->targetDateTimePicker, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& target) {
        if (target.toSecsSinceEpoch() == m_shownTarget.toSecsSinceEpoch())
            return;
        m_shownTarget = target;
        showEndMode(Settings::EndMode::DateTime);
        TimerControl::countUntil(m_settings, target);
    });
    connect(m_ui->timeOfDayEdit, &QTimeEdit::timeChanged, this, [this](QTime time) {
        const QTime shown = m_shownTarget.toLocalTime().time();
        if (time.hour() == shown.hour() && time.minute() == shown.minute())
            return;
        showEndMode(Settings::EndMode::TimeOfDay);
        TimerControl::countToTimeOfDay(m_settings, time, m_clock());
        showTarget(m_settings.targetDateTime().value_or(m_shownTarget));
    });
    connectDuration(
        m_ui->durationEdit, Key::Duration,
        [this](qint64 seconds) {
            // The same length counted again is a change while another mode is in force or while paused.
            return m_settings.endMode() != Settings::EndMode::Duration || m_settings.pausedRemaining() ||
                   seconds != m_settings.seconds(Key::Duration);
        },
        [this](qint64 seconds) {
            showEndMode(Settings::EndMode::Duration);
            TimerControl::countFor(m_settings, seconds, m_clock());
            showTarget(m_settings.targetDateTime().value_or(m_shownTarget));
        });

    connect(m_ui->dateTimeRadioButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            TimerControl::countUntil(m_settings, m_ui->targetDateTimePicker->dateTime());
    });
    connect(m_ui->durationRadioButton, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        const auto typed = TimeInput::duration(m_ui->durationEdit->text());
        TimerControl::countFor(m_settings, typed.value_or(m_settings.seconds(Key::Duration)), m_clock());
        showTarget(m_settings.targetDateTime().value_or(m_shownTarget));
    });
    connect(m_ui->timeOfDayRadioButton, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        TimerControl::countToTimeOfDay(m_settings, m_ui->timeOfDayEdit->time(), m_clock());
        showTarget(m_settings.targetDateTime().value_or(m_shownTarget));
    });
}

void SettingsDialog::connectFlags()
{
    for (const auto& [key, box] : checkboxes()) {
        // Only a plain tick means on; the mixed state of a tri-state box does not.
        connect(box, &QCheckBox::clicked, this,
                [this, key = key, box = box] { m_settings.setFlag(key, box->checkState() == Qt::Checked); });
    }
}

void SettingsDialog::connectDuration(QLineEdit* edit, Key key, const std::function<bool(qint64)>& isChange,
                                     const std::function<void(qint64)>& change)
{
    connect(edit, &QLineEdit::textEdited, this, [edit](const QString& text) {
        const bool readable = text.trimmed().isEmpty() || TimeInput::duration(text);
        edit->setStyleSheet(readable ? QString() : QStringLiteral("QLineEdit { background: #ffd7d7; color: black; }"));
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, edit, key, isChange, change] {
        // Leaving a field, or Enter, without typing in it since it was filled is no change.
        if (!edit->isModified())
            return;
        const auto seconds = TimeInput::duration(edit->text());
        showDuration(edit, seconds.value_or(m_settings.seconds(key)));
        if (seconds && isChange(*seconds))
            change(*seconds);
    });
}

std::vector<std::pair<Settings::Key, QCheckBox*>> SettingsDialog::checkboxes() const
{
    const std::array boxes{m_ui->dropShadowCheckbox, m_ui->warningCheckbox, m_ui->finalCheckbox, m_ui->overtimeCheckbox,
                           m_ui->compactCheckbox};
    std::vector<std::pair<Key, QCheckBox*>> pairs;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        pairs.emplace_back(kFlagKeys[i], boxes[i]);
    return pairs;
}

std::vector<std::pair<Settings::Key, ColorWell*>> SettingsDialog::wells() const
{
    const std::array wells{m_ui->textColorWell,         m_ui->bgColorWell,        m_ui->warningTextColorWell,
                           m_ui->warningBgColorWell,    m_ui->finalTextColorWell, m_ui->finalBgColorWell,
                           m_ui->overtimeTextColorWell, m_ui->overtimeBgColorWell};
    std::vector<std::pair<Key, ColorWell*>> pairs;
    for (std::size_t i = 0; i < wells.size(); ++i)
        pairs.emplace_back(kColorKeys[i], wells[i]);
    return pairs;
}

// A colour the settings hold no usable blob for shows as its default, as the panel shows it.
QColor SettingsDialog::colorFrom(Key key, const QByteArray& bytes) const
{
    const QColor fallback =
        ColorArchive::unarchive(m_settings.defaultValue(key).toByteArray()).value_or(QColor(Qt::black));
    return ColorArchive::unarchive(bytes).value_or(fallback);
}

SettingsDialog::Values SettingsDialog::read() const
{
    Values values;
    // The panel counts to the default when the stored target is unreadable; so does this window.
    values.target = m_settings.targetDateTime().value_or(m_settings.defaultValue(Key::TargetDateTime).toDateTime());
    values.endMode = m_settings.endMode();
    values.pausedRemaining = m_settings.pausedRemaining();
    for (const Key key : kFlagKeys)
        values.flags[key] = m_settings.flag(key);
    for (const Key key : kSecondsKeys)
        values.seconds[key] = m_settings.seconds(key);
    // Reset always has bytes to write: those read, or the archive of the colour shown in their place.
    for (const Key key : kColorKeys)
        values.colorBytes[key] = m_settings.colorBlob(key).value_or(m_settings.defaultValue(key).toByteArray());
    return values;
}

void SettingsDialog::showTarget(const QDateTime& target)
{
    m_shownTarget = target;
    if (!target.isValid())
        return;
    const QSignalBlocker quietPicker(m_ui->targetDateTimePicker);
    m_ui->targetDateTimePicker->setDateTime(target.toLocalTime());
    const QSignalBlocker quietTime(m_ui->timeOfDayEdit);
    const QTime local = target.toLocalTime().time();
    m_ui->timeOfDayEdit->setTime(QTime(local.hour(), local.minute()));
}

void SettingsDialog::showEndMode(Settings::EndMode mode)
{
    QRadioButton* button = mode == Settings::EndMode::Duration    ? m_ui->durationRadioButton
                           : mode == Settings::EndMode::TimeOfDay ? m_ui->timeOfDayRadioButton
                                                                  : m_ui->dateTimeRadioButton;
    // The button that goes off hears of it, and does nothing with an off.
    const QSignalBlocker quiet(button);
    button->setChecked(true);
}

void SettingsDialog::showValues(const Values& values)
{
    showTarget(values.target);
    showEndMode(values.endMode);
    showDuration(m_ui->durationEdit, values.seconds.at(Key::Duration));
    showDuration(m_ui->warningEdit, values.seconds.at(Key::WarningAt));
    showDuration(m_ui->finalEdit, values.seconds.at(Key::FinalAt));
    for (const auto& [key, well] : wells())
        well->setColor(colorFrom(key, values.colorBytes.at(key)));
    for (const auto& [key, box] : checkboxes()) {
        const QSignalBlocker quiet(box);
        box->setCheckState(values.flags.at(key) ? Qt::Checked : Qt::Unchecked);
    }
}

void SettingsDialog::reset()
{
    // All controls first, then every setting in the order of the keys, each write announced before the next
    // begins.
    showValues(m_opening);
    for (std::size_t i = 0; i < Settings::KeyCount; ++i) {
        const auto key = static_cast<Key>(i);
        if (key == Key::TargetDateTime)
            m_settings.setTargetDateTime(m_opening.target);
        else if (key == Key::EndMode)
            m_settings.setEndMode(m_opening.endMode);
        else if (key == Key::PausedRemaining)
            m_settings.setPausedRemaining(m_opening.pausedRemaining);
        else if (m_opening.flags.contains(key))
            m_settings.setFlag(key, m_opening.flags.at(key));
        else if (m_opening.seconds.contains(key))
            m_settings.setSeconds(key, m_opening.seconds.at(key));
        else
            m_settings.setColorBlob(key, m_opening.colorBytes.at(key));
    }
}
