// Internal to the platform layer (and its tests): Qt's own texts (message-box
// buttons, file dialogs, the context menus of text fields) in the program's
// language.
#pragma once

#include <QString>

// In the Dutch program (language != 0): Qt's Dutch catalogue "qtbase_nl.qm"
// from catalogueFolder when it is there, over the program's own Dutch texts
// for whatever the catalogue lacks or when it is missing; the default locale
// becomes Dutch (file type names in the file dialogs). The English program
// keeps Qt's own texts and installs nothing. Replaces an earlier
// installation; true when the catalogue was loaded.
bool InstallQtTranslations(int language, const QString& catalogueFolder);

// Undoes InstallQtTranslations (before the application object goes).
void RemoveQtTranslations();

// Where Qt's own catalogues are installed.
QString QtCatalogueFolder();
