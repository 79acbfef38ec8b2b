#pragma once

#include "data/Dictionary.h"
#include "framework/Window.h"
#include "views/ListPanel.h"
#include "views/ProcedureFiles.h"

// What the list and form windows share: the window's data files, opened with their related files
// at set-up and closed when the procedure ends, and its list panels, set up once the files are
// open, shown once the window is, and handed the events of their controls before anything the
// procedure does with them.
namespace nidora::views {

class DataWindow : public framework::Window {
public:
    // file: the window's primary file; the thread's buffer for it is record<R>().
    DataWindow(QString procedureName, data::FileId file);

    data::Dictionary& data() { return data_; }
    data::FileId primaryFile() const { return files_.primary(); }
    data::AccessObject& access() { return data_.access(files_.primary()); }
    template <class R> R& record() { return data_.buffer<R>(); }
    // Another file the procedure reads besides its own, opened and closed with it.
    void openAlso(data::FileId file) { files_.add(file); }
    // A list of the window over one of its files (its own, or one given to openAlso, or one
    // these open as related files), placed in the window or in a page of it.
    ListPanel& addPanel(data::FileId file, framework::Control* page = nullptr);
    ListPanels& panels() { return panels_; }

protected:
    bool onSetUp() override;
    void onOpened() override;
    void closeFiles() override;
    int onAccepted(framework::Control& control) override;
    int onFieldEvent(framework::Control& control, const framework::ThreadEvent& event) override;

private:
    void holdTextBoxesToTheirFields();

    data::Dictionary& data_;
    ProcedureFiles files_;
    ListPanels panels_;
};

} // namespace nidora::views
