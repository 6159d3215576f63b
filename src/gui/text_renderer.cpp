#include "gui/text_renderer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "gui/fonts.h"

namespace puffel {

void DrawTextOnBitmap(Bitmap& target, int x, int y, const std::string& utf8, uint32_t colour,
                      int pixelHeight) {
  if (target.Empty()) return;
  // Format_RGB32 holds the same 0x??RRGGBB words as the picture's rows, so the
  // painter writes straight into them.
  QImage image(reinterpret_cast<uchar*>(target.Pixels()), target.Width(), target.Height(),
               target.Width() * 4, QImage::Format_RGB32);
  QPainter painter(&image);
  const QFont font = JapaneseFont(pixelHeight);
  painter.setFont(font);
  painter.setPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  painter.drawText(x, y + QFontMetrics(font).ascent(), QString::fromUtf8(utf8));
}

}  // namespace puffel
