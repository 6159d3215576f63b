#include "gui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace puffel {

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString bracketed = QStringLiteral("(") + patterns + QStringLiteral(")");
    entries.append(description.endsWith(bracketed) ? description
                                                   : description + QStringLiteral(" ") + bracketed);
  }
  return entries;
}

bool RunFileDialog(FileDialog& dialog) {
  const QStringList entries = QtNameFilters(dialog.filter);
  const bool indexInRange = dialog.filterIndex >= 1 && dialog.filterIndex <= entries.size();
  QString selected =
      entries.isEmpty() ? QString() : entries[indexInRange ? dialog.filterIndex - 1 : 0];
  const QString folder = QString::fromStdString(dialog.initialDir);
  const QString filters = entries.join(QStringLiteral(";;"));
  QWidget* const parent = QApplication::activeWindow();
  const QString chosen =
      dialog.kind == DialogKind::Open
          ? QFileDialog::getOpenFileName(parent, QString(), folder, filters, &selected)
          : QFileDialog::getSaveFileName(parent, QString(), folder, filters, &selected,
                                         dialog.confirmOverwrite
                                             ? QFileDialog::Options()
                                             : QFileDialog::DontConfirmOverwrite);
  if (chosen.isEmpty()) return false;
  dialog.fileName = chosen.toStdString();
  const qsizetype index = entries.indexOf(selected);
  if (index >= 0) dialog.filterIndex = static_cast<int>(index) + 1;
  return true;
}

void ShowMessageBox(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                  QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

void ShowErrorBox(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                  QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

}  // namespace puffel
