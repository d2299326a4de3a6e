// The real file dialogs, answered by a timer: filters, the default suffix, cancelling.
#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/file_dialogs.h"

namespace {

// Runs fn on the modal file dialog as soon as it shows.
void OnDialog(std::function<void(QFileDialog*)> fn) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, fn]() {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      fn(dialog);
    }
  });
  timer->start();
}

TEST(FileDialogs, SaveDialogOffersConvertedFiltersAndAddsTheExtension) {
  char pattern[] = "/tmp/norvale_dialog_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string dir = pattern;
  QStringList filters;
  OnDialog([&](QFileDialog* dialog) {
    filters = dialog->nameFilters();
    dialog->selectFile(QString::fromStdString(dir + "/gear"));
    static_cast<QDialog*>(dialog)->accept();  // public in QDialog
  });
  const std::string chosen =
      SaveFileRequester("Save project", dir + "/norvale.tdw", "Norvale project (*.tdw)|*.tdw", 0);
  EXPECT_EQ(chosen, dir + "/gear.tdw");
  EXPECT_EQ(filters, QStringList{"Norvale project (*.tdw)"});
  std::system(("rm -rf '" + dir + "'").c_str());
}

TEST(FileDialogs, CancelledOpenDialogGivesEmptyPath) {
  QStringList filters;
  OnDialog([&](QFileDialog* dialog) {
    filters = dialog->nameFilters();
    dialog->reject();
  });
  EXPECT_EQ(OpenFileRequester("Open project", "", "Norvale project (*.tdw)|*.tdw|All files (*.*)|*.*", 0), "");
  EXPECT_EQ(filters, (QStringList{"Norvale project (*.tdw)", "All files (*)"}));
}

TEST(FileDialogs, ResponderAnswersInPlaceOfTheDialog) {
  SetFileDialogResponder([](bool save, const std::string& title, const std::string& def, const std::string& filter) {
    return std::string(save ? "S:" : "O:") + title + "|" + def + "|" + filter;
  });
  EXPECT_EQ(SaveFileRequester("t", "d", "f|*.f", 0), "S:t|d|f|*.f");
  EXPECT_EQ(OpenFileRequester("t", "d", "f|*.f", 0), "O:t|d|f|*.f");
  SetFileDialogResponder(nullptr);
}

}  // namespace
