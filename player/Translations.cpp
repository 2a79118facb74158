#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

// Replaced as a whole on each install; owned by the application object, which may go first.
QPointer<QTranslator> g_ours;
QPointer<QTranslator> g_qt;
QLocale g_locale(QLocale::English, QLocale::UnitedKingdom);

void remove(QPointer<QTranslator> &translator)
{
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QTranslator *load(const QString &name, const QStringList &folders)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    for (const QString &folder : folders) {
        if (translator->load(name, folder, QStringLiteral("_"))) {
            QCoreApplication::installTranslator(translator);
            return translator;
        }
    }
    delete translator;
    return nullptr;
}

} // namespace

QString Translations::install(const QLocale &locale)
{
    remove(g_ours);
    remove(g_qt);
    g_locale = QLocale(QLocale::English, QLocale::UnitedKingdom);
    const QStringList ours{QDir(QCoreApplication::applicationDirPath()).filePath(kInstalledFolder),
                           QStringLiteral(":/i18n")};
    const QStringList qt{QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    // The desktop's list in its order (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG): the first
    // language we speak wins. English, the source, ends the search; its file holds only its
    // plural forms ("1 minute", "2 minutes").
    for (const QString &language : locale.uiLanguages()) {
        const QLocale wanted(language);
        const bool english =
            wanted.language() == QLocale::English || wanted.language() == QLocale::C;
        g_ours = load(QStringLiteral("morvena_") + wanted.name(), ours);
        if (!g_ours && !english)
            continue;
        if (wanted.language() == QLocale::C)
            return {};
        g_qt = load(QStringLiteral("qtbase_") + wanted.name(), qt);
        // Debian has no Bokmål for Qt itself; Nynorsk is the next choice its installer
        // sets for a Bokmål desktop (LANGUAGE=nb_NO:nb:no_NO:no:nn_NO:nn), and every
        // Bokmål reader reads it.
        if (!g_qt && wanted.language() == QLocale::NorwegianBokmal)
            g_qt = load(QStringLiteral("qtbase_nn"), qt);
        g_locale = wanted;
        return english ? QString() : wanted.name().section(QLatin1Char('_'), 0, 0);
    }
    return {};
}

QLocale Translations::locale()
{
    return g_locale;
}
