#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLatin1String>

#include <optional>

// Every settings key and change notification, spelled once.
namespace PreferenceNames {
inline constexpr QLatin1String TargetDateTimeKey{"ZKVTargetDateTime"};
inline constexpr QLatin1String TextColorKey{"ZKVTextColor"};
inline constexpr QLatin1String BgColorKey{"ZKVBgColor"};
inline constexpr QLatin1String DropShadowKey{"DropShadow"};

inline constexpr QLatin1String TargetDateTimeChanged{"ZKVTargetDateTimeChanged"};
inline constexpr QLatin1String TextColorChanged{"ZKVTextColorChanged"};
inline constexpr QLatin1String BgColorChanged{"ZKVBgColorChanged"};
inline constexpr QLatin1String DropShadowChanged{"ZKVDropShadowChanged"};
} // namespace PreferenceNames

// The one gateway to the user's four settings in the per-user QSettings store. A value the user never set
// is answered by the registered defaults, which live in memory only and are computed afresh at every start.
// Each writer makes its value durable before it returns and then posts its change notification on the
// default NotificationCenter. A value that could not be saved, or a settings path that is no regular file
// and so is never opened, still reaches every reader until the program quits.
class PreferenceController {
public:
    PreferenceController() = delete;

    static void registerDefaults(const QDateTime& now);
    static QDateTime defaultTargetDateTime(const QDateTime& now);
    // Invalid until registerDefaults() has run.
    static QDateTime registeredTargetDateTime();

    // The target as a moment in UTC; anything but a date under the key reads as no date.
    static std::optional<QDateTime> preferenceTargetDateTime();
    // An entry that is not a byte blob reads as no blob.
    static std::optional<QByteArray> preferenceTextColor();
    static std::optional<QByteArray> preferenceBgColor();
    // An absent entry reads as false; an entry that is no flag (neither true nor false, a number or a
    // bool) reads as the registered default.
    static bool preferenceDropShadow();

    static void setPreferenceTargetDateTime(const QDateTime& target);
    static void setPreferenceTextColor(const QByteArray& colorBlob);
    static void setPreferenceBgColor(const QByteArray& colorBlob);
    static void setPreferenceDropShadow(bool dropShadow);
};
