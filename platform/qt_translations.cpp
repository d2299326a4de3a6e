// Qt's own texts in the program's language: Qt's Dutch catalogue where it is
// installed, and the program's own Dutch texts under it.
#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <optional>
#include <string_view>

#include "texts/qt_widget_texts.h"

namespace {

// Answers Qt's requests from the program's own table of Dutch texts.
class ProgramTextTranslator : public QTranslator {
 public:
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char*, int) const override {
    if (context == nullptr || sourceText == nullptr) return {};
    const std::string_view c(context), s(sourceText);
    for (std::size_t i = 0; i < texts::kQtWidgetTextCount; ++i) {
      const texts::QtWidgetText& t = texts::kQtWidgetTexts[i];
      if (t.context == c && t.english == s) return QString::fromUtf8(t.dutch.data(), qsizetype(t.dutch.size()));
    }
    return {};
  }
};

std::unique_ptr<ProgramTextTranslator> gProgramTexts;
std::unique_ptr<QTranslator> gQtCatalogue;
std::optional<QLocale> gLocaleBefore;

}  // namespace

QString QtCatalogueFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool InstallQtTranslations(int language, const QString& catalogueFolder) {
  RemoveQtTranslations();
  if (language == 0 || QCoreApplication::instance() == nullptr) return false;
  gLocaleBefore = QLocale();
  QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
  // Qt asks the translator installed last first: the catalogue, then ours.
  gProgramTexts = std::make_unique<ProgramTextTranslator>();
  QCoreApplication::installTranslator(gProgramTexts.get());
  auto catalogue = std::make_unique<QTranslator>();
  if (catalogue->load(QStringLiteral("qtbase_nl"), catalogueFolder)) {
    QCoreApplication::installTranslator(catalogue.get());
    gQtCatalogue = std::move(catalogue);
  }
  return gQtCatalogue != nullptr;
}

void RemoveQtTranslations() {
  if (QCoreApplication::instance() != nullptr) {
    if (gQtCatalogue) QCoreApplication::removeTranslator(gQtCatalogue.get());
    if (gProgramTexts) QCoreApplication::removeTranslator(gProgramTexts.get());
  }
  gQtCatalogue.reset();
  gProgramTexts.reset();
  if (gLocaleBefore) QLocale::setDefault(*gLocaleBefore);
  gLocaleBefore.reset();
}
