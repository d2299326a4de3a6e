#include "texts/qt_widget_texts.h"

namespace texts {
// Both languages in both programs: the English text is the key Qt asks with.
// The Dutch texts are the usual ones of Qt's Dutch catalogue, so the program
// looks the same with or without that catalogue installed.
const QtWidgetText kQtWidgetTexts[] = {
    // Message-box and dialog buttons.
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "&Yes", "&Ja"},
    {"QPlatformTheme", "&No", "&Nee"},
    {"QPlatformTheme", "Cancel", "Annuleren"},
    {"QPlatformTheme", "Open", "Openen"},
    {"QPlatformTheme", "Save", "Opslaan"},
    // The open and save dialogs.
    {"QFileDialog", "Look in:", "Zoeken in:"},
    {"QFileDialog", "File &name:", "Bestands&naam:"},
    {"QFileDialog", "Files of type:", "Bestanden van type:"},
    {"QFileDialog", "&Open", "&Openen"},
    {"QFileDialog", "&Save", "Op&slaan"},
    {"QFileDialog", "Back", "Terug"},
    {"QFileDialog", "Go back", "Ga terug"},
    {"QFileDialog", "Forward", "Verder"},
    {"QFileDialog", "Go forward", "Ga verder"},
    {"QFileDialog", "Parent Directory", "Hogere map"},
    {"QFileDialog", "Go to the parent directory", "Ga naar de hogere map"},
    {"QFileDialog", "Create New Folder", "Nieuwe map aanmaken"},
    {"QFileDialog", "Create a New Folder", "Een nieuwe map aanmaken"},
    {"QFileDialog", "List View", "Lijstweergave"},
    {"QFileDialog", "Change to list view mode", "Naar modus lijstweergave wijzigen"},
    {"QFileDialog", "Detail View", "Detailweergave"},
    {"QFileDialog", "Change to detail view mode", "Naar modus detailweergave wijzigen"},
    {"QFileDialog", "Sidebar", "Zijbalk"},
    {"QFileDialog", "List of places and bookmarks", "Lijst met plaatsen en bladwijzers"},
    {"QFileDialog", "Files", "Bestanden"},
    {"QFileDialog", "All Files (*)", "Alle bestanden (*)"},
    {"QFileDialog", "&Rename", "He&rnoemen"},
    {"QFileDialog", "&Delete", "Verwij&deren"},
    {"QFileDialog", "Show &hidden files", "Ver&borgen bestanden tonen"},
    {"QFileDialog", "&New Folder", "&Nieuwe map"},
    {"QFileSystemModel", "Name", "Naam"},
    {"QFileSystemModel", "Size", "Grootte"},
    {"QFileSystemModel", "Type", "Type"},
    {"QFileSystemModel", "Date Modified", "Datum gewijzigd"},
    {"QFileSystemModel", "Computer", "Computer"},
    // The file list's type column (missing from Qt's Dutch catalogue).
    {"QAbstractFileIconProvider", "Folder", "Map"},
    {"QAbstractFileIconProvider", "Drive", "Station"},
    // The context menu of a text entry (and of an editable combo box's field).
    {"QLineEdit", "&Undo", "&Ongedaan maken"},
    {"QLineEdit", "&Redo", "Opnie&uw"},
    {"QLineEdit", "Cu&t", "Kni&ppen"},
    {"QLineEdit", "&Copy", "&Kopiëren"},
    {"QLineEdit", "&Paste", "P&lakken"},
    {"QLineEdit", "Delete", "Verwijderen"},
    {"QLineEdit", "Select All", "Alles selecteren"},
    // The context menu of a report editor.
    {"QWidgetTextControl", "&Undo", "&Ongedaan maken"},
    {"QWidgetTextControl", "&Redo", "Opnie&uw"},
    {"QWidgetTextControl", "Cu&t", "Kni&ppen"},
    {"QWidgetTextControl", "&Copy", "&Kopiëren"},
    {"QWidgetTextControl", "Copy &Link Location", "Koppe&ling kopiëren"},
    {"QWidgetTextControl", "&Paste", "P&lakken"},
    {"QWidgetTextControl", "Delete", "Verwijderen"},
    {"QWidgetTextControl", "Select All", "Alles selecteren"},
};
const std::size_t kQtWidgetTextCount = sizeof(kQtWidgetTexts) / sizeof(kQtWidgetTexts[0]);
}
