#include "gui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/file_filter.h"

namespace puffel {

QStringList QtNameFilters(const std::string& filter) {
  QStringList entries;
  for (const FilterEntry& entry : FilterEntries(filter)) {
    QString description = QString::fromStdString(entry.description);
    const QString patterns = QString::fromStdString(entry.patterns);
    QString spaced = patterns;
    spaced.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the brackets at the end of the entry, which
    // it splits at blanks: a description that shows them with ';' gets blanks.
    const QString written = QStringLiteral("(") + patterns + QStringLiteral(")");
    const QString bracketed = QStringLiteral("(") + spaced + QStringLiteral(")");
    if (description.endsWith(written)) description.chop(written.size());
    description = description.trimmed();
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

void ShowInformationBox(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Information, QString::fromStdString(title),
                  QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

std::optional<std::string> AskTextBox(const TextQuestion& question) {
  bool accepted = false;
  const QString text =
      QInputDialog::getText(QApplication::activeWindow(), QString::fromStdString(question.title),
                            QString::fromStdString(question.prompt), QLineEdit::Normal,
                            QString::fromStdString(question.text), &accepted);
  if (!accepted) return std::nullopt;
  return text.toStdString();
}

}  // namespace puffel
