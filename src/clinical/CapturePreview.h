#pragma once

#include <QImage>
#include <QWidget>

namespace nidora::clinical {

// The live picture of a camera, drawn to fill the area it is put in, keeping its proportions.
class CapturePreview final : public QWidget {
public:
    explicit CapturePreview(QWidget* area);
    void show(const QImage& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace nidora::clinical
