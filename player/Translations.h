#pragma once

#include <QLocale>
#include <QString>

/// The program's own translations and Qt's, for one language. The program's come from
/// `morvena_<language>.qm` in the installed translations folder, or else from those built
/// in; Qt's (its dialogs, message box buttons, the command line parser) from Qt's own
/// folder. English is the source language and needs none.
class Translations {
public:
    /// Where an installed program keeps its translations, relative to its `bin` folder.
    static constexpr QLatin1StringView kInstalledFolder{"../share/morvena-webradio/translations"};

    /// Installs the translators for the first language of `locale`'s list of interface
    /// languages that has a translation, replacing those an earlier call installed; an
    /// English language ahead of it in the list keeps the source texts. Needs the
    /// application object. Returns the language loaded, empty for English.
    static QString install(const QLocale &locale = QLocale());
    /// The locale of the language the texts are in, for the dates and numbers the program
    /// writes into them: the one installed last, British English before and without one.
    static QLocale locale();
};
