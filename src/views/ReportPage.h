#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QRectF>
#include <QSize>

#include <memory>
#include <vector>

class QPainter;

// A report page: a paint device whose painter records what the layout draws (texts with their
// positions and fonts, lines, boxes, ellipses, pictures) as a placeable metafile in thousandths
// of an inch from the page's top left. The page keeps the metafile's bytes, which the previewer
// numbers, exports as text and saves as a file other programs open, and draws itself from the
// same records with any painter at any scale, for the screen and for the printer.
//
//   ReportPage page = ReportPage::portrait();
//   {
//       QPainter painter(&page);
//       painter.setFont(QFont("Courier New", 9));
//       painter.drawText(QPointF(500, 1200), "Paciente:");
//       painter.drawLine(QLineF(500, 1300, 7500, 1300));
//   }                                  // the painter ends before the page is moved or copied
//   page.draw(screenPainter, QRectF(0, 0, 850, 1100));
//
// A painter opened again on a page that already holds records adds to them. Copies share their
// bytes until one of them changes. A picture is held once for all the pages that show it: the
// page's records refer to it, and its saved file embeds it.
namespace nidora::views {

class MetafileEngine;
struct PagePlayback;

class ReportPage final : public QPaintDevice {
public:
    static constexpr int kUnitsPerInch = 1000;
    // Letter paper, in thousandths of an inch.
    static constexpr int kShortSide = 8500;
    static constexpr int kLongSide = 11000;

    static ReportPage portrait();
    static ReportPage landscape();
    // A page read back from its metafile bytes (a saved page, or bytes rewritten by numbering).
    // Bytes that are no placeable metafile give a blank portrait page; `isValid` tells.
    static ReportPage fromMetafile(const QByteArray& bytes);

    // A blank portrait page.
    ReportPage();
    ReportPage(const ReportPage& other);
    ReportPage(ReportPage&& other) noexcept;
    ReportPage& operator=(const ReportPage& other);
    ReportPage& operator=(ReportPage&& other) noexcept;
    ~ReportPage() override;

    // The page's size in thousandths of an inch, from its bounding box.
    QSize size() const;
    bool isLandscape() const { return size().width() > size().height(); }
    bool isValid() const { return valid_; }

    // The whole placeable metafile, as a ".WMF" file holds it, its pictures embedded.
    QByteArray metafile() const;
    // Replaces the page with a placeable metafile read back. Bytes that are no placeable
    // metafile leave the page as it was and answer false.
    bool setMetafile(const QByteArray& bytes);
    // The page's own records: the metafile with a reference to each of the page's pictures in
    // place of the picture, so every text record is there as in the saved file.
    const QByteArray& records() const { return bytes_; }
    // Replaces the records with others that refer to the same pictures (numbering rewrites
    // texts in place); answers false, changing nothing, for bytes that are no placeable
    // metafile.
    bool setRecords(const QByteArray& bytes);
    // The bitmaps the records' picture references name, in their order; pages that show the
    // same picture at the same size hold the same one.
    const std::vector<std::shared_ptr<const QByteArray>>& pictures() const { return pictures_; }

    // Draws the page in its own units (thousandths of an inch) through the painter's current
    // transform.
    void play(QPainter& painter) const;
    // Draws the page scaled into target (its proportions are the caller's to keep).
    void draw(QPainter& painter, const QRectF& target) const;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class MetafileEngine;
    explicit ReportPage(QByteArray bytes);
    // The engine hands over the records and the pictures they refer to when a painter ends.
    void recorded(QByteArray bytes, std::vector<std::shared_ptr<const QByteArray>> pictures);
    const PagePlayback& playback() const;

    QByteArray bytes_;
    std::vector<std::shared_ptr<const QByteArray>> pictures_;
    bool valid_ = true;
    mutable std::unique_ptr<MetafileEngine> engine_;
    mutable std::shared_ptr<const PagePlayback> playback_;
};

} // namespace nidora::views
