#pragma once

#include <QWidget>

class QLabel;

namespace nidora::shell {

// The toolbar's e-mail link as the frame lays it out: a clickable region (-26) under the hand
// cursor, with the address written on it (-27) in the typewriter face the frame names. The
// text lets every click through, so a click anywhere on the address is the region's.
class FrameEmailLink : public QWidget {
    Q_OBJECT
public:
    FrameEmailLink(const QString& address, int pointSize, QWidget* parent = nullptr);

    QLabel* text() const { return text_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* text_;
};

} // namespace nidora::shell
