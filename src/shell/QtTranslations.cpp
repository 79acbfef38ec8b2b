#include "shell/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace nidora::shell {

std::unique_ptr<QTranslator> installQtTranslations()
{
    auto translator = std::make_unique<QTranslator>();
    // The program speaks Spanish whatever the desktop's language: its own texts are Spanish.
    if (!translator->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace nidora::shell
