#include "settings/PreferenceWindowController.h"

#include "settings/ColorArchive.h"
#include "settings/ColorWell.h"
#include "settings/PreferenceController.h"

#include "app/PanelGeometry.h"

#include "ui_PreferenceWindowController.h"

#include <QScreen>
#include <QSignalBlocker>

namespace {

// A colour the store has no usable blob for shows as the fallback, and the snapshot keeps the archive of
// that fallback so that Reset always has bytes to write.
QColor snapshotColor(const std::optional<QByteArray>& stored, Qt::GlobalColor fallback, QByteArray& blob)
{
    if (!stored) {
        blob = ColorArchive::archive(QColor(fallback));
        return QColor(fallback);
    }
    blob = *stored;
    return ColorArchive::unarchive(*stored).value_or(QColor(fallback));
}

} // namespace

PreferenceWindowController::PreferenceWindowController(WindowConfigurer floatWindow, QObject* parent)
    : QObject(parent)
    , m_floatWindow(std::move(floatWindow))
{
    takeSnapshot();
}

PreferenceWindowController::~PreferenceWindowController() = default;

void PreferenceWindowController::takeSnapshot()
{
    // The panel counts down to the registered default when the stored target is unreadable; so does this
    // window, so that it shows what the panel shows.
    m_current.targetDateTime =
        PreferenceController::preferenceTargetDateTime().value_or(PreferenceController::registeredTargetDateTime());
    m_current.textColor = snapshotColor(PreferenceController::preferenceTextColor(), Qt::black, m_initialTextColorData);
    m_current.bgColor = snapshotColor(PreferenceController::preferenceBgColor(), Qt::white, m_initialBgColorData);
    m_current.dropShadow = PreferenceController::preferenceDropShadow();
    m_initial = m_current;
}

QWidget* PreferenceWindowController::colorOptionWindow()
{
    if (!m_colorOptionWindow) {
        m_colorOptionWindow = std::make_unique<QDialog>();
        m_ui = std::make_unique<Ui::PreferenceWindowController>();
        m_ui->setupUi(m_colorOptionWindow.get());
        m_colorOptionWindow->adjustSize();
        m_targetDateTimePicker = m_ui->targetDateTimePicker;
        m_textColorWell = m_ui->textColorWell;
        m_bgColorWell = m_ui->bgColorWell;
        m_dropShadowCheckbox = m_ui->dropShadowCheckbox;
        windowDidLoad();
    }
    return m_colorOptionWindow.get();
}

void PreferenceWindowController::windowDidLoad()
{
    if (m_current.targetDateTime.isValid()) {
        const QSignalBlocker quiet(m_targetDateTimePicker);
        m_targetDateTimePicker->setDateTime(m_current.targetDateTime.toLocalTime());
    }
    m_textColorWell->setColor(m_current.textColor);
    m_bgColorWell->setColor(m_current.bgColor);
    m_dropShadowCheckbox->setCheckState(m_current.dropShadow ? Qt::Checked : Qt::Unchecked);
    connectActions();
    if (m_floatWindow)
        m_floatWindow(m_colorOptionWindow.get());
}

void PreferenceWindowController::connectActions()
{
    connect(m_targetDateTimePicker, &QDateTimeEdit::dateTimeChanged, this,
            &PreferenceWindowController::targetDateTimeClick);
    connect(m_textColorWell, &ColorWell::colorChanged, this, &PreferenceWindowController::textColorClick);
    connect(m_bgColorWell, &ColorWell::colorChanged, this, &PreferenceWindowController::bgColorClick);
    connect(m_dropShadowCheckbox, &QCheckBox::clicked, this, &PreferenceWindowController::dropShadowClick);
    connect(m_ui->resetButton, &QPushButton::clicked, this, &PreferenceWindowController::resetClick);
}

void PreferenceWindowController::showWindow(const QScreen* screen)
{
    QWidget* window = colorOptionWindow();
    if (!screen)
        screen = window->screen();
    const QRectF screenFrame = screen ? QRectF(screen->geometry()) : QRectF();
    window->move(PanelGeometry::centredOrigin(screenFrame, window->size()).toPoint());
    window->show();
    window->raise();
    window->activateWindow();
}

void PreferenceWindowController::targetDateTimeClick()
{
    if (!m_targetDateTimePicker)
        return;
    m_current.targetDateTime = m_targetDateTimePicker->dateTime();
    PreferenceController::setPreferenceTargetDateTime(m_current.targetDateTime);
}

void PreferenceWindowController::textColorClick()
{
    if (!m_textColorWell)
        return;
    m_current.textColor = m_textColorWell->color();
    PreferenceController::setPreferenceTextColor(ColorArchive::archive(m_current.textColor));
}

void PreferenceWindowController::bgColorClick()
{
    if (!m_bgColorWell)
        return;
    m_current.bgColor = m_bgColorWell->color();
    PreferenceController::setPreferenceBgColor(ColorArchive::archive(m_current.bgColor));
}

void PreferenceWindowController::dropShadowClick()
{
    if (!m_dropShadowCheckbox)
        return;
    // Only a plain tick means on; the mixed state of a tri-state box does not.
    PreferenceController::setPreferenceDropShadow(m_dropShadowCheckbox->checkState() == Qt::Checked);
}

void PreferenceWindowController::resetClick()
{
    // All controls first, with their signals held so that showing a value writes nothing; then the four
    // writes, each announced before the next begins.
    if (m_targetDateTimePicker && m_initial.targetDateTime.isValid()) {
        const QSignalBlocker quiet(m_targetDateTimePicker);
        m_targetDateTimePicker->setDateTime(m_initial.targetDateTime.toLocalTime());
    }
    if (m_textColorWell)
        m_textColorWell->setColor(m_initial.textColor);
    if (m_bgColorWell)
        m_bgColorWell->setColor(m_initial.bgColor);
    if (m_dropShadowCheckbox)
        m_dropShadowCheckbox->setCheckState(m_initial.dropShadow ? Qt::Checked : Qt::Unchecked);

    PreferenceController::setPreferenceTargetDateTime(m_initial.targetDateTime);
    PreferenceController::setPreferenceTextColor(m_initialTextColorData);
    PreferenceController::setPreferenceBgColor(m_initialBgColorData);
    PreferenceController::setPreferenceDropShadow(m_initial.dropShadow);
}
