#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "desktop_fixture.h"
#include "platform/bmp_file.h"
#include "platform/paths.h"
#include "support/test_pictures.h"

namespace puffel::test {
namespace {

using FileDropTest = DesktopTest;

QMimeData* filesData(const std::vector<std::string>& paths) {
  auto* data = new QMimeData;
  QList<QUrl> urls;
  for (const std::string& path : paths)
    urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
  data->setUrls(urls);
  return data;
}

// A drag over the window and its drop, as the window system delivers them;
// whether the window took the drag.
bool dragAndDrop(QWidget& window, QMimeData* data) {
  const QPointF at(30, 60);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  if (enter.isAccepted()) {
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
  }
  delete data;
  return enter.isAccepted();
}

TEST_F(FileDropTest, PicturesDroppedOnEitherWindowBecomePartsAfterTheDrop) {
  const std::string disc = ProgramFolder() + "obj/disc.bmp";
  SaveBitmapFile(disc, DiscPicture(30, 30, 15, 15, 12, 0xFF0000, 0xFFFFFF));
  ASSERT_TRUE(dragAndDrop(program().partWindow, filesData({disc, disc})));
  EXPECT_EQ(scene().PartCount, 0);  // the drop itself reads nothing
  EXPECT_TRUE(WaitFor([&] { return scene().PartCount == 2; }));
  ASSERT_TRUE(dragAndDrop(program().mainWindow, filesData({disc})));
  EXPECT_TRUE(WaitFor([&] { return scene().PartCount == 3; }));
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileDropTest, OtherFilesAreNamedInAMessageAndOnlyLocalFilesAreTaken) {
  ASSERT_TRUE(dragAndDrop(program().mainWindow, filesData({ProgramFolder() + "obj/notes.txt"})));
  EXPECT_TRUE(WaitFor([&] { return !messages.empty(); }));
  EXPECT_EQ(messages, std::vector<std::string>{"読み込めないファイルです：notes.txt"});
  auto* web = new QMimeData;
  web->setUrls({QUrl(QStringLiteral("https://example.org/cat.png"))});
  EXPECT_FALSE(dragAndDrop(program().partWindow, web));
  auto* text = new QMimeData;
  text->setText(QStringLiteral("cat.png"));
  EXPECT_FALSE(dragAndDrop(program().partWindow, text));
}

}  // namespace
}  // namespace puffel::test
