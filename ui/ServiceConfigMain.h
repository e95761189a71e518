#pragma once

// The main window: the server settings on the first tab, the listener and sink grids on the
// other two, Save and Exit. It builds the path of the configuration file, creates the process's
// one configuration document, loads the file when there is one, and holds the whole edit until
// Save writes it back.

#include "util/Utilities.h"

#include <QWidget>
#include <memory>
#include <string>

namespace Ui {
class fmConfigMain;
}

class QMenu;
class TFileSinkConfig;
class TListenerConfigList;
class TSinkConfigList;
class TListenerGridDataSource;
class TSinkGridDataSource;

class TfmConfigMain : public QWidget {
    Q_OBJECT

public:
    // ADataDir is the machine-wide application-data folder the configuration file lies under;
    // tests pass a temporary folder. Raises the error of a configuration file that cannot be read.
    explicit TfmConfigMain(QWidget* AOwner = nullptr,
                           const std::string& ADataDir = TUtilities::CommonAppDataDir());
    ~TfmConfigMain() override;

protected:
    void showEvent(QShowEvent* AEvent) override;

private:
    void btnSaveClick();
    void btnExitClick();
    void cbLogLevelChange();
    void neQueueManagerThreadsChange();
    void rgMsgQueueChanging(int ANewIndex, bool& AAllowChange);
    // The commands of the grids' popup menus (ServiceConfigMainCommands.cpp).
    void ppmiNewListenerClick();
    void ppmiEditListenerClick();
    void ppmiDeleteListenerClick();
    void ppmiNewFileSinkClick();
    void ppmiEditSinkClick();
    void ppmiDeleteSinkClick();

    void ServerConfigToControls();
    void SaveConfig();

    void LoadListenerGrid(const TListenerConfigList& AList);
    void ClearListenerGrid();
    void LoadSinkGrid(const TSinkConfigList& AList);
    void ClearSinkGrid();
    // The data sources attached to the grids from construction to destruction; the grid commands
    // change their lists.
    TListenerGridDataSource& ListenerDataSource() const;
    TSinkGridDataSource& SinkDataSource() const;

    void ApplyLook();
    void SetUpPopupMenus();
    // Runs the file sink editor on ASink; the edited copy, owned by the caller, after OK, else
    // null.
    std::unique_ptr<TFileSinkConfig> EditFileSink(const TFileSinkConfig& ASink);

    const std::unique_ptr<Ui::fmConfigMain> ui;
    // True while the window holds changes that have not been saved.
    bool FDirty = false;
    bool FCentred = false;
    // The grids' popup menus, children of the window.
    QMenu* ppmListeners = nullptr;
    QMenu* ppmSinks = nullptr;
    QMenu* ppmiNewSink = nullptr; // the "New" submenu of ppmSinks
};

// The main window of the running program, set while it exists; not its owner.
extern TfmConfigMain* fmConfigMain;
