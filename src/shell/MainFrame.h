#pragma once

#include <QMainWindow>

class QMdiArea;

namespace nidora::shell {

// The multi-window application frame every window of the program opens in.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);

    QMdiArea* workspace() const { return workspace_; }

private:
    QMdiArea* workspace_;
};

} // namespace nidora::shell
