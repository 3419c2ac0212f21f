#include "pictureexport.h"

#include "outputfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <optional>

namespace PictureExport {

namespace {

// A PNG of a very large model stays a size image viewers open.
constexpr double maxPixels = 12000.0;
constexpr double margin = 20.0;

int luma(const QColor &c)
{
    return (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
}

// Labels meant for a black screen (bright green) are darkened while a white
// picture is drawn, and given back their colour after.
class PaperColours
{
public:
    explicit PaperColours(QGraphicsScene *scene)
    {
        for (QGraphicsItem *item : scene->items()) {
            if (auto *simple = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(item)) {
                if (luma(simple->brush().color()) >= 120) {
                    simpleTexts.append({simple, simple->brush()});
                    simple->setBrush(simple->brush().color().darker(200));
                }
            } else if (auto *text = qgraphicsitem_cast<QGraphicsTextItem *>(item)) {
                if (luma(text->defaultTextColor()) >= 120) {
                    texts.append({text, text->defaultTextColor()});
                    text->setDefaultTextColor(text->defaultTextColor().darker(200));
                }
            }
        }
    }
    ~PaperColours()
    {
        for (const auto &c : simpleTexts)
            c.first->setBrush(c.second);
        for (const auto &c : texts)
            c.first->setDefaultTextColor(c.second);
    }
    PaperColours(const PaperColours &) = delete;
    PaperColours &operator=(const PaperColours &) = delete;

private:
    QList<QPair<QGraphicsSimpleTextItem *, QBrush>> simpleTexts;
    QList<QPair<QGraphicsTextItem *, QColor>> texts;
};

// Paper pictures print dark on white; the screen's look is black.
void paint(QPainter &painter, QGraphicsScene *scene, const QRectF &source, const QRectF &target, bool black)
{
    painter.fillRect(target, black ? Qt::black : Qt::white);
    std::optional<PaperColours> paper;
    if (!black)
        paper.emplace(scene);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene->render(&painter, target, source, Qt::KeepAspectRatio);
}

} // namespace

Format formatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return Format::Unknown;
}

QRectF extent(QGraphicsScene *scene)
{
    QRectF r = scene->itemsBoundingRect();
    if (r.isEmpty())
        r = QRectF(0, 0, 100, 100);
    return r.adjusted(-margin, -margin, margin, margin);
}

// The title block along the foot of a report page: name, legend, date.
static void titleBlock(QPainter &painter, const QRectF &block, const Options &o)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(block.topLeft(), block.topRight());
    QFont font = painter.font();
    font.setPixelSize(int(block.height() * 0.4));
    painter.setFont(font);
    const QRectF inside = block.adjusted(0, block.height() * 0.15, 0, 0);
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter, o.title);
    painter.drawText(inside, Qt::AlignRight | Qt::AlignVCenter, o.date);
    const QFontMetricsF metrics(font);
    const double swatch = block.height() * 0.3;
    double x = block.left() + metrics.horizontalAdvance(o.title) + 3 * swatch;
    const double right = block.right() - metrics.horizontalAdvance(o.date) - 3 * swatch;
    for (const auto &[colour, label] : o.legend) {
        const double width = swatch * 1.5 + metrics.horizontalAdvance(label);
        if (x + width > right)
            break;
        painter.fillRect(QRectF(x, inside.center().y() - swatch / 2, swatch, swatch), colour);
        painter.drawText(QRectF(x + swatch * 1.5, inside.top(), width, inside.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         label);
        x += width + 2 * swatch;
    }
    painter.restore();
}

QByteArray render(QGraphicsScene *scene, Format format, const Options &options, QString *error)
{
    const bool blackBackground = options.blackBackground;
    const QRectF source = extent(scene);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case Format::Png: {
        // The width asked for, the height in proportion; neither beyond what viewers open.
        const double asked = std::clamp(double(options.pngWidth), 1.0, maxPixels);
        const double scale = std::min(asked / source.width(), maxPixels / source.height());
        const QSize size(std::max(1, int(std::lround(source.width() * scale))),
                         std::max(1, int(std::ceil(source.height() * scale))));
        QImage image(size, QImage::Format_RGB32);
        if (image.isNull()) {
            *error = QStringLiteral("The picture is too large to be made in memory.");
            return QByteArray();
        }
        {
            QPainter painter(&image);
            paint(painter, scene, source, QRectF(QPointF(0, 0), QSizeF(size)), blackBackground);
        }
        if (!image.save(&buffer, "PNG")) {
            *error = QStringLiteral("The PNG picture could not be made.");
            return QByteArray();
        }
        break;
    }
    case Format::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(source.size().toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), source.size()));
        svg.setTitle(QStringLiteral("Taliskor2D model"));
        QPainter painter;
        if (!painter.begin(&svg)) {
            *error = QStringLiteral("The SVG picture could not be made.");
            return QByteArray();
        }
        paint(painter, scene, source, QRectF(QPointF(0, 0), source.size()), blackBackground);
        painter.end();
        break;
    }
    case Format::Pdf: {
        // A printable page: the model above a title block, inside 10 mm margins.
        QPdfWriter pdf(&buffer);
        // One unit a point, as the scene's fonts are sized: a finer resolution
        // would enlarge every number against the drawing and clip it.
        pdf.setResolution(72);
        const bool us = QLocale().territory() == QLocale::UnitedStates;
        pdf.setPageLayout(QPageLayout(QPageSize(us ? QPageSize::Letter : QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf.setTitle(options.title.isEmpty() ? QStringLiteral("Taliskor2D model") : options.title);
        QPainter painter;
        if (!painter.begin(&pdf)) {
            *error = QStringLiteral("The PDF document could not be made.");
            return QByteArray();
        }
        const QRectF page(painter.viewport());
        const double blockHeight = 12.0 / 25.4 * pdf.resolution();   // 12 mm
        const QRectF drawing = page.adjusted(0, 0, 0, -blockHeight);
        paint(painter, scene, source, drawing, blackBackground);
        if (blackBackground)
            painter.fillRect(QRectF(drawing.bottomLeft(), page.bottomRight()), Qt::white);
        titleBlock(painter, QRectF(drawing.bottomLeft(), page.bottomRight()), options);
        painter.end();
        break;
    }
    case Format::Unknown:
        *error = QStringLiteral("Unknown picture type: name the file .png, .svg or .pdf.");
        return QByteArray();
    }
    return bytes;
}

bool write(QGraphicsScene *scene, const QString &fileName, const Options &options, QString *error)
{
    QString reason;
    const QByteArray bytes = render(scene, formatOf(fileName), options, &reason);
    const bool ok = !bytes.isEmpty() && OutputFile::writeBytes(fileName, bytes, &reason);
    if (error)
        *error = ok ? QString() : reason;
    return ok;
}

} // namespace PictureExport
