#include "Pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <functional>

namespace kiv::ui {
namespace {

QPixmap drawn(int size, const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return pixmap;
}

void drawCross(QPainter& p, QRectF r, QColor colour, qreal width) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomLeft());
}

// A sheet of paper with ruled lines, the base of the table pictures.
void drawSheet(QPainter& p, QColor rule) {
  p.setPen(QPen(Qt::darkGray, 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(5, 3, 18, 22));
  p.setPen(QPen(rule, 1.6));
  for (int y = 8; y <= 20; y += 4) p.drawLine(QPointF(8, y), QPointF(20, y));
}

void drawArrowRight(QPainter& p, QPointF from, QPointF to, QColor colour) {
  p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  p.setBrush(colour);
  p.setPen(Qt::NoPen);
  p.drawPolygon(QPolygonF({to + QPointF(2, 0), to + QPointF(-4, -4), to + QPointF(-4, 4)}));
}

void drawYen(QPainter& p, QRectF r, QColor colour) {
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(static_cast<int>(r.height()));
  p.setFont(f);
  p.setPen(colour);
  p.drawText(r, Qt::AlignCenter, QStringLiteral("¥"));
}

void drawClock(QPainter& p, QRectF r) {
  p.setPen(QPen(QColor(40, 40, 40), 1.6));
  p.setBrush(QColor(255, 250, 220));
  p.drawEllipse(r);
  const QPointF c = r.center();
  p.setPen(QPen(QColor(180, 20, 20), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(0, -r.height() * 0.35));
  p.drawLine(c, c + QPointF(r.width() * 0.28, 0));
}

void drawTool(QPainter& p, ToolPicture picture) {
  switch (picture) {
    case ToolPicture::kExit:  // an open door
      p.setPen(QPen(QColor(90, 60, 30), 1.5));
      p.setBrush(QColor(200, 150, 90));
      p.drawRect(QRectF(6, 4, 14, 21));
      p.setBrush(QColor(120, 80, 40));
      p.drawPolygon(QPolygonF({{6, 4}, {13, 7}, {13, 27}, {6, 25}}));
      drawArrowRight(p, {15, 15}, {25, 15}, QColor(200, 30, 30));
      return;
    case ToolPicture::kRoute:  // a train and a yen sign
      p.setPen(QPen(QColor(20, 60, 140), 1.2));
      p.setBrush(QColor(60, 140, 220));
      p.drawRoundedRect(QRectF(3, 6, 16, 16), 3, 3);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6, 9, 10, 5));
      p.setBrush(QColor(40, 40, 40));
      p.drawEllipse(QRectF(5, 20, 4, 4));
      p.drawEllipse(QRectF(13, 20, 4, 4));
      drawYen(p, QRectF(15, 12, 13, 14), QColor(200, 120, 0));
      return;
    case ToolPicture::kFareTable:
      drawSheet(p, QColor(120, 160, 220));
      drawYen(p, QRectF(13, 13, 15, 15), QColor(200, 120, 0));
      return;
    case ToolPicture::kRequiredTime:
      drawSheet(p, QColor(120, 190, 120));
      drawClock(p, QRectF(13, 13, 14, 14));
      return;
    case ToolPicture::kTimetable:
      drawClock(p, QRectF(3, 3, 22, 22));
      return;
    case ToolPicture::kConditions:  // a form with ticks
      drawSheet(p, QColor(180, 180, 180));
      p.setPen(QPen(QColor(20, 120, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawPolyline(QPolygonF({{8, 10}, {10, 12}, {14, 7}}));
      p.drawPolyline(QPolygonF({{8, 18}, {10, 20}, {14, 15}}));
      return;
    case ToolPicture::kLines: {  // the three use pictures side by side
      p.drawPixmap(0, 2, usePicture(1).scaled(14, 14));
      p.drawPixmap(14, 2, usePicture(0).scaled(14, 14));
      p.drawPixmap(7, 14, usePicture(2).scaled(14, 14));
      return;
    }
    case ToolPicture::kDataView:  // a magnifier over a sheet
      drawSheet(p, QColor(160, 160, 160));
      p.setPen(QPen(QColor(60, 60, 60), 2.4));
      p.setBrush(QColor(200, 230, 255, 180));
      p.drawEllipse(QRectF(11, 9, 11, 11));
      p.drawLine(QPointF(21, 19), QPointF(26, 25));
      return;
    case ToolPicture::kSave:  // a floppy disk
    case ToolPicture::kSaveAll:
      p.setPen(QPen(QColor(20, 40, 90), 1.2));
      p.setBrush(QColor(50, 90, 170));
      p.drawRect(QRectF(5, 5, 18, 18));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(8, 5, 12, 7));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(9, 16, 10, 7));
      if (picture == ToolPicture::kSaveAll) {
        p.setPen(QPen(QColor(200, 120, 0), 2.4));
        p.drawLine(QPointF(22, 20), QPointF(27, 20));
        p.drawLine(QPointF(24.5, 17.5), QPointF(24.5, 22.5));
      }
      return;
    case ToolPicture::kSortFound:  // 1 2 3
    case ToolPicture::kSortTime:
    case ToolPicture::kSortFare: {
      p.setPen(QPen(QColor(100, 100, 100), 1.5));
      for (int y = 7; y <= 21; y += 7) p.drawLine(QPointF(3, y), QPointF(13, y));
      p.setPen(QPen(QColor(20, 60, 140), 2));
      p.drawLine(QPointF(8, 4), QPointF(8, 24));
      if (picture == ToolPicture::kSortTime) drawClock(p, QRectF(13, 9, 14, 14));
      if (picture == ToolPicture::kSortFare) drawYen(p, QRectF(13, 8, 15, 16), QColor(200, 120, 0));
      if (picture == ToolPicture::kSortFound) {
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(12);
        p.setFont(f);
        p.setPen(QColor(20, 60, 140));
        p.drawText(QRectF(13, 6, 14, 16), Qt::AlignCenter, QStringLiteral("1"));
      }
      return;
    }
  }
}

}  // namespace

QPixmap usePicture(int state) {
  if (state < 0 || state > 2) return {};
  return drawn(kUsePictureSize, [state](QPainter& p) {
    const QRectF r(2.5, 2.5, 11, 11);
    if (state == 0) {
      drawCross(p, r, QColor(220, 20, 20), 2.6);
    } else if (state == 1) {
      p.setPen(QPen(QColor(20, 60, 220), 2.4));
      p.drawEllipse(r);
    } else {
      p.setPen(QPen(QColor(10, 150, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolygon(QPolygonF({{8, 2.5}, {14, 13.5}, {2, 13.5}}));
    }
  });
}

QIcon toolIcon(ToolPicture picture) {
  return QIcon(drawn(28, [picture](QPainter& p) { drawTool(p, picture); }));
}

QIcon programIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    icon.addPixmap(drawn(size, [size](QPainter& p) {
      p.scale(size / 64.0, size / 64.0);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 90, 170));
      p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
      p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(12, 46), QPointF(52, 46));
      p.setBrush(Qt::white);
      p.setPen(Qt::NoPen);
      p.drawRoundedRect(QRectF(16, 14, 32, 26), 6, 6);
      p.setBrush(QColor(30, 90, 170));
      p.drawRect(QRectF(21, 19, 22, 9));
      p.setBrush(QColor(240, 170, 30));
      p.drawEllipse(QRectF(20, 31, 6, 6));
      p.drawEllipse(QRectF(38, 31, 6, 6));
    }));
  }
  return icon;
}

}  // namespace kiv::ui
