#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The pictures of report pages, kept once for all the pages that show them. A page holds each
// picture it shows as a reference record (a metafile comment, which other programs skip) that
// names the picture among the page's own list and carries where it is drawn; the list holds
// the bitmap, shared with every other page that shows the same picture at the same size. The
// page's file as saved has the picture record in place of each reference, as any metafile
// must.
namespace nidora::views::pagepictures {

// A picture's bitmap as the picture record holds it (a device-independent bitmap).
using Bitmap = std::shared_ptr<const QByteArray>;

// The bitmap of `image`'s part `source` at `dots`, made by `make` unless another page already
// holds the same one. A changed image is another picture (its cache key changes with it).
Bitmap shared(const QImage& image, const QRect& source, QSize dots, const std::function<QByteArray()>& make);

// A reference record: the picture record's parameters before its bitmap (where and how large it
// is drawn) and the picture's place in the page's list.
QByteArray referenceRecord(const QByteArray& parameters, int index);

struct Reference {
    // Where the picture record's parameters begin, and the picture's place in the page's list.
    qsizetype parameters;
    int index;
};
// The reference a record between at and end holds, if it is one.
std::optional<Reference> referenceIn(const QByteArray& bytes, qsizetype at, qsizetype end);

// The file with each reference replaced by the picture record it stands for; a reference to no
// picture of the list is left out.
QByteArray expanded(const QByteArray& records, const std::vector<Bitmap>& pictures);

} // namespace nidora::views::pagepictures
