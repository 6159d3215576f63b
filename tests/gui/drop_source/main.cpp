// A drag source for dropping files on the program's real windows under a bare
// X server, where xdotool alone cannot start a drag: a small window in the
// top-left corner of the screen that, when the mouse is pressed in it, drags
// the files named on the command line; xdotool then moves the pointer onto the
// target and releases the button. Ends a few seconds after the drop.
//
//   puffel-drop-source FILE...
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource : public QWidget {
 public:
  explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
    setWindowTitle(QStringLiteral("drop source"));
    setGeometry(0, 0, 80, 80);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* data = new QMimeData;
    data->setUrls(urls_);
    // The target fetches the files' names from the drag after the drop: the
    // drag and the program must still be there to hand them over.
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
    QTimer::singleShot(3000, qApp, &QApplication::quit);
  }

 private:
  QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QList<QUrl> urls;
  for (int i = 1; i < argc; ++i) urls.append(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i])));
  DragSource source(urls);
  source.show();
  return application.exec();
}
