// numora-icon: the program's icon set for a desktop's icon theme, from one drawing.
//   numora-icon OUTDIR NAME SIZE...
// writes OUTDIR/scalable/apps/NAME.svg and OUTDIR/SIZExSIZE/apps/NAME.png for each SIZE;
//   numora-icon --ico FILE SIZE...
// writes the Windows icon file FILE holding every SIZE (at most 256).
// The scalable picture and the pixel ones come from the same list of shapes, so they cannot
// drift apart, and no SVG renderer is needed to make the pixel sizes.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

constexpr double kCanvas = 32;  // the drawing's own units; every size scales from them

struct TShape {
  QRectF box;  // a rounded rectangle, when points is empty
  double radius;
  QList<QPointF> points;  // otherwise an open stroked line through these points
  QColor fill;            // invalid: not filled
  QColor stroke;          // invalid: no outline
  double opacity;
};

TShape Box(QRectF box, double radius, QColor fill, QColor stroke = {}, double opacity = 1) {
  return {box, radius, {}, fill, stroke, opacity};
}

TShape Line(QList<QPointF> points, QColor stroke) { return {{}, 0, points, {}, stroke, 1}; }

// A pocket calculator showing 15: a dark body with its shadow, a green display, a white keypad
// with an orange column of operators and a red equals key.
std::vector<TShape> Drawing() {
  const QColor ink("#103010");
  std::vector<TShape> shapes = {
      Box({9, 4, 18, 28}, 2, QColor("#808080"), {}, 0.6),
      Box({7.5, 2.5, 18, 28}, 2, QColor("#404858"), QColor("#202020")),
      Box({9.5, 5.5, 14, 6}, 0, QColor("#a8d098"), ink),
      Line({{16.5, 6.5}, {16.5, 11.5}}, ink),
      Line({{15.5, 7.5}, {16.5, 7.5}}, ink),
      Line({{22, 6.5}, {19, 6.5}, {19, 9}, {22, 9}, {22, 11.5}, {19, 11.5}}, ink),
  };
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      QColor face("#f0f0f0");
      if (column == 3) face = QColor(row == 3 ? "#d03030" : "#f0a030");
      shapes.push_back(Box({9.0 + 4 * column, 14.0 + 4 * row, 3, 3}, 0, face));
    }
  }
  return shapes;
}

QString Paint(const QColor& color) { return color.isValid() ? color.name() : "none"; }

QString Svg(const std::vector<TShape>& shapes) {
  QString svg = QString(
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
                    "viewBox=\"0 0 %1 %1\">\n")
                    .arg(kCanvas);
  for (const TShape& s : shapes) {
    const QString look = QString("fill=\"%1\" stroke=\"%2\"%3")
                             .arg(Paint(s.fill), Paint(s.stroke),
                                  s.opacity < 1 ? QString(" opacity=\"%1\"").arg(s.opacity) : "");
    if (s.points.isEmpty()) {
      svg += QString("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" %6/>\n")
                 .arg(s.box.x())
                 .arg(s.box.y())
                 .arg(s.box.width())
                 .arg(s.box.height())
                 .arg(s.radius)
                 .arg(look);
    } else {
      QStringList points;
      for (const QPointF& p : s.points) points << QString("%1,%2").arg(p.x()).arg(p.y());
      svg += QString("  <polyline points=\"%1\" %2/>\n").arg(points.join(' '), look);
    }
  }
  return svg + "</svg>\n";
}

// Drawn as an SVG renderer draws the same shapes: outlines one unit wide centred on the edge,
// flat ends and mitred corners.
QImage Render(const std::vector<TShape>& shapes, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kCanvas, size / kCanvas);
  for (const TShape& s : shapes) {
    painter.setOpacity(s.opacity);
    painter.setPen(s.stroke.isValid() ? QPen(s.stroke, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)
                                      : QPen(Qt::NoPen));
    painter.setBrush(s.fill.isValid() ? QBrush(s.fill) : QBrush(Qt::NoBrush));
    if (s.points.isEmpty())
      painter.drawRoundedRect(s.box, s.radius, s.radius);
    else
      painter.drawPolyline(s.points.data(), static_cast<int>(s.points.size()));
  }
  return image;
}

bool Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void AppendLittleEndian(QByteArray& out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An icon file whose images are PNG streams, as Windows reads them since Vista: a directory of
// 16-byte entries after a 6-byte header, then the images.
QByteArray Ico(const std::vector<TShape>& shapes, const std::vector<int>& sizes) {
  std::vector<QByteArray> images;
  for (int size : sizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    Render(shapes, size).save(&buffer, "PNG");
    images.push_back(png);
  }
  QByteArray out;
  AppendLittleEndian(out, 0, 2);  // reserved
  AppendLittleEndian(out, 1, 2);  // an icon, not a cursor
  AppendLittleEndian(out, static_cast<unsigned>(sizes.size()), 2);
  unsigned offset = 6 + 16 * static_cast<unsigned>(sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const unsigned side = sizes[i] == 256 ? 0 : static_cast<unsigned>(sizes[i]);  // 0 is 256
    AppendLittleEndian(out, side, 1);
    AppendLittleEndian(out, side, 1);
    AppendLittleEndian(out, 0, 2);   // no palette, reserved
    AppendLittleEndian(out, 1, 2);   // colour planes
    AppendLittleEndian(out, 32, 2);  // bits per pixel
    AppendLittleEndian(out, static_cast<unsigned>(images[i].size()), 4);
    AppendLittleEndian(out, offset, 4);
    offset += static_cast<unsigned>(images[i].size());
  }
  for (const QByteArray& image : images) out.append(image);
  return out;
}

bool ParseSize(const char* text, int largest, int& size) {
  size = std::atoi(text);
  if (size >= 1 && size <= largest) return true;
  std::fprintf(stderr, "numora-icon: %s is not a size from 1 to %d\n", text, largest);
  return false;
}

int WriteIco(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 3; i < argc; ++i) {
    int size = 0;
    if (!ParseSize(argv[i], 256, size)) return 2;
    sizes.push_back(size);
  }
  const QString path = QString::fromLocal8Bit(argv[2]);
  if (!Write(path, Ico(Drawing(), sizes))) {
    std::fprintf(stderr, "numora-icon: cannot write %s\n", qPrintable(path));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string_view(argv[1]) == "--ico") return WriteIco(argc, argv);
  if (argc < 4) {
    std::fputs("usage: numora-icon OUTDIR NAME SIZE...\n       numora-icon --ico FILE SIZE...\n",
               stderr);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  const std::vector<TShape> shapes = Drawing();
  const QString svg = root + "/scalable/apps/" + name + ".svg";
  if (!Write(svg, Svg(shapes).toUtf8())) {
    std::fprintf(stderr, "numora-icon: cannot write %s\n", qPrintable(svg));
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    int size = 0;
    if (!ParseSize(argv[i], 1024, size)) return 2;
    const QString png = QString("%1/%2x%2/apps/%3.png").arg(root).arg(size).arg(name);
    QDir().mkpath(QFileInfo(png).path());
    if (!Render(shapes, size).save(png, "PNG")) {
      std::fprintf(stderr, "numora-icon: cannot write %s\n", qPrintable(png));
      return 1;
    }
  }
  return 0;
}
