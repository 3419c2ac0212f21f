#include "pictureexport.h"

#include "outputfile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QImage>
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
// Readers of PDF refuse pages beyond 200 inches.
constexpr double maxPoints = 14400.0;

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

QByteArray render(QGraphicsScene *scene, Format format, bool blackBackground, QString *error)
{
    const QRectF source = extent(scene);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case Format::Png: {
        const double scale = std::min(1.0, maxPixels / std::max(source.width(), source.height()));
        const QSize size(std::max(1, int(std::ceil(source.width() * scale))),
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
        // One scene unit is one point, on one page the size of the model (smaller if it must be).
        QPdfWriter pdf(&buffer);
        pdf.setResolution(72);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        const double scale = std::min(1.0, maxPoints / std::max(source.width(), source.height()));
        pdf.setPageSize(QPageSize(source.size() * scale, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setTitle(QStringLiteral("Taliskor2D model"));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            *error = QStringLiteral("The PDF document could not be made.");
            return QByteArray();
        }
        paint(painter, scene, source, QRectF(painter.viewport()), blackBackground);
        painter.end();
        break;
    }
    case Format::Unknown:
        *error = QStringLiteral("Unknown picture type: name the file .png, .svg or .pdf.");
        return QByteArray();
    }
    return bytes;
}

bool write(QGraphicsScene *scene, const QString &fileName, bool blackBackground, QString *error)
{
    QString reason;
    const QByteArray bytes = render(scene, formatOf(fileName), blackBackground, &reason);
    const bool ok = !bytes.isEmpty() && OutputFile::writeBytes(fileName, bytes, &reason);
    if (error)
        *error = ok ? QString() : reason;
    return ok;
}

} // namespace PictureExport
