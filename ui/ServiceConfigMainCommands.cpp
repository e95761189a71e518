// The main window's listener and sink commands: the grids' popup menus and the handlers that
// add, edit and delete entries. They change only the grids' own list copies; Save carries them
// into the document. Each list change is bracketed in a full update of the grid and followed by
// DataChanged; the window is marked as changed only when a list was changed.

#include "config/ServerConfig.h"
#include "platform/Format.h"
#include "ui/FileSinkConfigEdit.h"
#include "ui/GridDataSources.h"
#include "ui/ListenerConfigEdit.h"
#include "ui/ServiceConfigMain.h"
#include "ui/kit/ErrorHandling.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/ModalDialog.h"
#include "ui/kit/PopupMenu.h"
#include "ui_ServiceConfigMain.h"

#include <QMenu>

namespace {

void ShowError(QWidget* AParent, const char* AText) {
    MessageDlg(AParent, QString::fromLatin1(AText), TMsgDlgType::Error, {TMsgDlgBtn::OK});
}

bool Confirmed(QWidget* AParent, const std::string& AText) {
    return MessageDlg(AParent, QString::fromStdString(AText), TMsgDlgType::Confirmation,
                      {TMsgDlgBtn::Yes, TMsgDlgBtn::No}) == TMsgDlgBtn::Yes;
}

// The index of the grid's focused record; -1, after telling the user to select one, when no
// record has the focus.
int32_t SelectedIndex(QWidget* AParent, const TGridDataController& AController,
                      const char* ANothingSelected) {
    const int32_t index = AController.FocusedRecordIndex();
    if (index < 0)
        ShowError(AParent, ANothingSelected);
    return index;
}

// Changes a grid's list inside a full update of the grid, then tells the data source that its
// data changed.
template <typename TSource, typename TChange>
void ChangeList(TGridDataController& AController, TSource& ASource, TChange AChange) {
    {
        const TGridFullUpdate update(AController);
        AChange(ASource.List());
    }
    ASource.DataChanged();
}

} // namespace

// The window definition holds the menu items; the popup menus themselves are put together
// here, as a window definition has no free-standing popup menus.
void TfmConfigMain::SetUpPopupMenus() {
    ppmListeners = new QMenu(this);
    ppmListeners->setObjectName(QStringLiteral("ppmListeners"));
    ppmListeners->addActions({ui->ppmiNewListener, ui->ppmiEditListener, ui->ppmiDeleteListener});

    ppmSinks = new QMenu(this);
    ppmSinks->setObjectName(QStringLiteral("ppmSinks"));
    ppmiNewSink = ppmSinks->addMenu(QStringLiteral("&New"));
    ppmiNewSink->setObjectName(QStringLiteral("ppmiNewSink"));
    ppmiNewSink->addAction(ui->ppmiNewFileSink);
    ppmSinks->addActions({ui->ppmiEditSink, ui->ppmiDeleteSink});

    AttachPopupMenu(*ui->tvListeners, *ppmListeners);
    AttachPopupMenu(*ui->tvSinks, *ppmSinks);

    connect(ui->ppmiNewListener, &QAction::triggered, this,
            EventHandler(this, &TfmConfigMain::ppmiNewListenerClick));
    connect(ui->ppmiEditListener, &QAction::triggered, this,
            EventHandler(this, &TfmConfigMain::ppmiEditListenerClick));
    connect(ui->ppmiDeleteListener, &QAction::triggered, this,
            EventHandler(this, &TfmConfigMain::ppmiDeleteListenerClick));
    connect(ui->ppmiNewFileSink, &QAction::triggered, this,
            EventHandler(this, &TfmConfigMain::ppmiNewFileSinkClick));
    connect(ui->ppmiEditSink, &QAction::triggered, this,
            EventHandler(this, &TfmConfigMain::ppmiEditSinkClick));
    connect(ui->ppmiDeleteSink, &QAction::triggered, this,
            EventHandler(this, &TfmConfigMain::ppmiDeleteSinkClick));
}

void TfmConfigMain::ppmiNewListenerClick() {
    const auto dialog = std::make_unique<TfmListenerConfigEdit>(nullptr, nullptr);
    if (ShowModal(*dialog) != mrOk)
        return;
    auto listener = std::make_unique<TListenerConfig>(dialog->ListenerConfig());
    ChangeList(ui->tvListeners->DataController(), ListenerDataSource(),
               [&](TListenerConfigList& AList) { AList.Add(std::move(listener)); });
    FDirty = true;
}

void TfmConfigMain::ppmiEditListenerClick() {
    TGridDataController& controller = ui->tvListeners->DataController();
    const int32_t index = SelectedIndex(this, controller, "You must select a Listener.");
    if (index < 0)
        return;
    TListenerGridDataSource& source = ListenerDataSource();
    const auto dialog =
        std::make_unique<TfmListenerConfigEdit>(nullptr, &source.List().ListenerConfig(index));
    if (ShowModal(*dialog) != mrOk)
        return;
    auto listener = std::make_unique<TListenerConfig>(dialog->ListenerConfig());
    ChangeList(controller, source, [&](TListenerConfigList& AList) {
        AList.SetListenerConfig(index, std::move(listener));
    });
    FDirty = true;
}

void TfmConfigMain::ppmiDeleteListenerClick() {
    TGridDataController& controller = ui->tvListeners->DataController();
    const int32_t index = SelectedIndex(this, controller, "You must select a Listener.");
    if (index < 0)
        return;
    TListenerGridDataSource& source = ListenerDataSource();
    if (!Confirmed(this,
                   Format("Delete listener on %s?", {source.List().ListenerConfig(index).NIC()})))
        return;
    ChangeList(controller, source, [&](TListenerConfigList& AList) { AList.Delete(index); });
    FDirty = true;
}

void TfmConfigMain::ppmiNewFileSinkClick() {
    const auto dialog = std::make_unique<TfmFileSinkConfigEdit>(nullptr, nullptr);
    if (ShowModal(*dialog) != mrOk)
        return;
    auto sink = std::make_unique<TFileSinkConfig>(dialog->Config());
    ChangeList(ui->tvSinks->DataController(), SinkDataSource(),
               [&](TSinkConfigList& AList) { AList.Add(std::move(sink)); });
    FDirty = true;
}

void TfmConfigMain::ppmiEditSinkClick() {
    TGridDataController& controller = ui->tvSinks->DataController();
    const int32_t index = SelectedIndex(this, controller, "You must select a Sink.");
    if (index < 0)
        return;
    TSinkGridDataSource& source = SinkDataSource();
    // Only file sinks have an editor; for any other kind the command does nothing at all.
    const auto* fileSink = dynamic_cast<const TFileSinkConfig*>(&source.List().SinkConfig(index));
    std::unique_ptr<TFileSinkConfig> edited =
        fileSink != nullptr ? EditFileSink(*fileSink) : nullptr;
    if (!edited)
        return;
    ChangeList(controller, source, [&](TSinkConfigList& AList) {
        AList.SetSinkConfig(index, std::move(edited));
    });
    FDirty = true;
}

std::unique_ptr<TFileSinkConfig> TfmConfigMain::EditFileSink(const TFileSinkConfig& ASink) {
    const auto dialog = std::make_unique<TfmFileSinkConfigEdit>(nullptr, &ASink);
    if (ShowModal(*dialog) != mrOk)
        return nullptr;
    return std::make_unique<TFileSinkConfig>(dialog->Config());
}

void TfmConfigMain::ppmiDeleteSinkClick() {
    TGridDataController& controller = ui->tvSinks->DataController();
    const int32_t index = SelectedIndex(this, controller, "You must select a Sink.");
    if (index < 0)
        return;
    TSinkGridDataSource& source = SinkDataSource();
    if (!Confirmed(this, Format("Delete sink %s?", {source.List().SinkConfig(index).Name()})))
        return;
    ChangeList(controller, source, [&](TSinkConfigList& AList) { AList.Delete(index); });
    FDirty = true;
}
