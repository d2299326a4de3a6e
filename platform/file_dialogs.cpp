// Modal file dialogs for opening and saving, with a test hook that answers in their place.
#include "platform/file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace {

FileDialogResponder gFileDialogResponder;

std::vector<std::string> SplitBars(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = text.find('|', start);
    parts.emplace_back(text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return parts;
}

std::string DialogPattern(std::string pattern) {
  std::string out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t semi = pattern.find(';', start);
    std::string glob = pattern.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
    if (glob == "*.*") glob = "*";
    if (!glob.empty()) {
      if (!out.empty()) out += ' ';
      out += glob;
    }
    if (semi == std::string::npos) break;
    start = semi + 1;
  }
  return out.empty() ? std::string("*") : out;
}

// The description without a trailing "(...)" that names the patterns already.
std::string DialogDescription(std::string desc) {
  while (!desc.empty() && desc.back() == ' ') desc.pop_back();
  if (!desc.empty() && desc.back() == ')') {
    const std::size_t open = desc.rfind('(');
    if (open != std::string::npos) {
      desc.erase(open);
      while (!desc.empty() && desc.back() == ' ') desc.pop_back();
    }
  }
  return desc;
}

// The extension of the first glob of a pattern ("*.tdw" -> "tdw"), "" when it
// has no plain extension ("*", "*.*", "*.t?w").
std::string PatternSuffix(const std::string& pattern) {
  const std::string first = pattern.substr(0, pattern.find(';'));
  if (first.rfind("*.", 0) != 0) return {};
  const std::string suffix = first.substr(2);
  if (suffix.empty() || suffix.find_first_of("*?[") != std::string::npos) return {};
  return suffix;
}

std::string RunDialog(bool save, std::string_view title, std::string_view defaultPath, std::string_view filter,
                      int selectedFilter) {
  if (gFileDialogResponder) {
    return gFileDialogResponder(save, std::string(title), std::string(defaultPath), std::string(filter));
  }
  const QString qtFilter = QString::fromStdString(ConvertFileFilter(filter));
  const QStringList filters = qtFilter.split(QStringLiteral(";;"));
  QFileDialog dialog(QApplication::activeWindow(), QString::fromUtf8(title.data(), static_cast<int>(title.size())),
                     QString::fromUtf8(defaultPath.data(), static_cast<int>(defaultPath.size())), qtFilter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  // Qt's own dialog, whose texts follow the program's language (a desktop's
  // native one would speak the desktop's).
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  if (selectedFilter >= 0 && selectedFilter < filters.size()) dialog.selectNameFilter(filters[selectedFilter]);
  if (save) {
    const std::vector<std::string> parts = SplitBars(filter);
    const std::size_t patternIndex = 2 * static_cast<std::size_t>(selectedFilter < 0 ? 0 : selectedFilter) + 1;
    if (patternIndex < parts.size()) {
      const std::string suffix = PatternSuffix(parts[patternIndex]);
      if (!suffix.empty()) dialog.setDefaultSuffix(QString::fromStdString(suffix));
    }
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return {};
  return files.first().toStdString();
}

}  // namespace

std::string ConvertFileFilter(std::string_view filter) {
  const std::vector<std::string> parts = SplitBars(filter);
  std::string out;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (!out.empty()) out += ";;";
    out += DialogDescription(parts[i]) + " (" + DialogPattern(parts[i + 1]) + ")";
  }
  return out;
}

std::string OpenFileRequester(std::string_view title, std::string_view defaultPath, std::string_view filter,
                              int selectedFilter) {
  return RunDialog(false, title, defaultPath, filter, selectedFilter);
}

std::string SaveFileRequester(std::string_view title, std::string_view defaultPath, std::string_view filter,
                              int selectedFilter) {
  return RunDialog(true, title, defaultPath, filter, selectedFilter);
}

void SetFileDialogResponder(FileDialogResponder responder) { gFileDialogResponder = std::move(responder); }
