#include "QtTranslations.h"

#include "CLanguageFile.h"
#include "CLanguageSwitchNotifier.h"
#include "QtStrings.h"
#include "UiLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <utility>

namespace {

void LoadQtTexts()
{
    static std::unique_ptr<QTranslator> installed;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    installed.reset();
    const QString code = UiLanguageCode(GetCurrentTranslation());
    // Qt's own texts are English; other languages without a file stay so.
    auto translator = std::make_unique<QTranslator>();
    if (code.isEmpty() || code == QLatin1String("en") ||
        !translator->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
}

} // namespace

QString UiLanguageCode(const CLanguageFile* ui)
{
    if (!ui || ui->IsOriginal())
        return QStringLiteral("de");
    const QString name = ToQString(ui->GetLanguageName()).trimmed();
    if (name.isEmpty())
        return {};
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale& locale : locales) {
        if (name.compare(locale.nativeLanguageName(), Qt::CaseInsensitive) == 0 ||
            name.compare(QLocale::languageToString(locale.language()), Qt::CaseInsensitive) == 0)
            return QLocale::languageToCode(locale.language());
    }
    return {};
}

void FollowUiLanguageWithQtTexts()
{
    LoadQtTexts();
    static bool following = false;
    if (!std::exchange(following, true))
        QObject::connect(&CLanguageSwitchNotifier::Get(), &CLanguageSwitchNotifier::LanguageSwitched,
                         &LoadQtTexts);
}
