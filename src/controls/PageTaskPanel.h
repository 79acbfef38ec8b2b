#pragma once

#include "controls/TaskPanel.h"

#include <QString>

#include <functional>
#include <vector>

namespace nidora::controls {

// The side menu of a window whose task panel stands in for the tab strip of its wizard-style
// sheet: each task shows one page. Its headers are added expanded, without an icon, and made
// always expanded; its tasks have no tooltip, action control or mirrored button; and it takes
// the colours, font, module name and wizard mode that every such window of the program gives
// its panel. The last task clicked is shown bold.
//
//   PageTaskPanel panel({ { "Clínica", 32, { { "Datos", "estadocta.ico", 0 }, ... } } },
//       { .TOP = 10, .LEFT = 4, .RIGHT = 4, .BOTTOM = 10 },
//       [&sheet](int page) { sheet.setCurrentPage(page); });
//   panel.Init(control(1)->widget()); // once the window is open
class PageTaskPanel : public TaskPanel {
public:
    struct Task {
        QString title;
        QString icon;
        int page = 0; // the sheet's page the task shows, from 0
    };
    struct Header {
        QString title;
        int iconSize = 24; // of its tasks' icons
        std::vector<Task> tasks;
        bool boxed = false; // drawn as a box without a title band
    };

    PageTaskPanel(std::vector<Header> headers, PanelMargins margins, std::function<void(int page)> showPage,
        IdSource ids = {});

    void Init(QWidget* control) override;
    void OnClick(qint32 headerId, qint32 taskId, bool leftButton, qint32 value) override;

    // The ids Init gave, by the place of the header and of the task in the description; 0
    // before Init.
    qint32 headerId(std::size_t header) const;
    qint32 taskId(std::size_t header, std::size_t task) const;
    // The page a task shows, -1 for none.
    int pageOf(qint32 headerId, qint32 taskId) const;

private:
    std::vector<Header> description_;
    PanelMargins margins_;
    std::function<void(int)> showPage_;
    std::vector<qint32> headerIds_;
    std::vector<std::vector<qint32>> taskIds_;
};

} // namespace nidora::controls
