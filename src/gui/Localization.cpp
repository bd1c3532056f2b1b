#include "Localization.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Localization {

void install(QCoreApplication* application)
{
    const QLocale locale;
    // English carries only the plural forms of the spoken time; it also stands in for languages we lack.
    auto* own = new QTranslator(application);
    if (own->load(locale, QStringLiteral("presenter-countdown"), QStringLiteral("_"), QStringLiteral(":/i18n")) ||
        own->load(QStringLiteral("presenter-countdown_en"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(own);
    else
        delete own;

    auto* qt = new QTranslator(application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

} // namespace Localization
