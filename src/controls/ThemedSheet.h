#pragma once

#include "controls/ThemedControl.h"

namespace nidora::controls {

// A sheet's frame: the theme's tab pane around the page it shows, below its tab strip.
class ThemedSheet final : public ThemedControl {
public:
    using ThemedControl::ThemedControl;
    bool init(framework::Control& control) override;
    void refresh() override;

protected:
    QRect frameOf() const override;
    void paintFrame(QPainter& painter, const QRect& frame) override;
    bool takeMessage(QObject* watched, QEvent* event) override;
};

} // namespace nidora::controls
