#include "ui/ServiceConfigMain.h"

#include "config/ServerConfig.h"
#include "platform/Errors.h"
#include "platform/Format.h"
#include "ui/GridDataSources.h"
#include "ui/MainWindowIcons.h"
#include "ui/kit/ErrorHandling.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/WindowFont.h"
#include "ui_ServiceConfigMain.h"

#include <QFont>
#include <QScreen>
#include <QShowEvent>
#include <filesystem>
#include <system_error>

TfmConfigMain* fmConfigMain = nullptr;

namespace {

// Where the configuration file lies below the machine-wide application-data folder.
constexpr char CConfigFileTail[] = "/Velmora/SyslogServer/Svc/svcConfig.json";

constexpr int CLogLevelCount = 6;
constexpr int CSingleMsgQueueItem = 0;
constexpr int COnePerListenerItem = 1;

// True when APath names an existing file (links followed; a folder does not count). A path that
// cannot be examined (no permission on a folder on the way, for example) is an error: showing
// the defaults then would pass off an unreadable configuration as an empty one.
bool ConfigFileExists(const std::string& APath) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(APath, error);
    if (error && error != std::errc::no_such_file_or_directory &&
        error != std::errc::not_a_directory)
        throw EFileError(Format("Cannot access %s: %s", {APath, error.message()}));
    return std::filesystem::is_regular_file(status);
}

} // namespace

TfmConfigMain::TfmConfigMain(QWidget* AOwner, const std::string& ADataDir)
    : QWidget(AOwner), ui(std::make_unique<Ui::fmConfigMain>()) {
    // Before the controls exist, so that they are created with it rather than changed to it.
    setFont(WindowFont(font()));
    ui->setupUi(this);
    ApplyLook();

    ConfigFile = ADataDir + CConfigFileTail;
    SyslogServerConfig = std::make_unique<TSyslogServerConfig>(ConfigFile);
    if (ConfigFileExists(ConfigFile))
        SyslogServerConfig->Load();

    connect(ui->btnSave, &QPushButton::clicked, this,
            EventHandler(this, &TfmConfigMain::btnSaveClick));
    connect(ui->btnExit, &QPushButton::clicked, this,
            EventHandler(this, &TfmConfigMain::btnExitClick));
    connect(ui->cbLogLevel, &QComboBox::activated, this,
            EventHandler(this, &TfmConfigMain::cbLogLevelChange));
    connect(ui->neQueueManagerThreads, &QLineEdit::textChanged, this,
            EventHandler(this, &TfmConfigMain::neQueueManagerThreadsChange));
    connect(ui->rgMsgQueue, &TRadioGroup::Changing, this,
            EventHandler(this, &TfmConfigMain::rgMsgQueueChanging));
    SetUpPopupMenus();

    ServerConfigToControls();
    ui->tvListeners->SetColumns(TListenerGridDataSource::Columns());
    ui->tvSinks->SetColumns(TSinkGridDataSource::Columns());
    LoadListenerGrid(SyslogServerConfig->Listeners());
    LoadSinkGrid(SyslogServerConfig->Sinks());
    ui->pcConfig->setCurrentIndex(0);
    // Last: filling the controls above ran their change handlers.
    FDirty = false;
}

TfmConfigMain::~TfmConfigMain() {
    ClearListenerGrid();
    ClearSinkGrid();
}

// What the window definition cannot say: the title-bar buttons, the icons, labels sized to their
// text.
void TfmConfigMain::ApplyLook() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    for (QLabel* label : {ui->RzLabel1, ui->RzLabel2, ui->lbUserName, ui->lbPassword})
        label->adjustSize();

    ui->pcConfig->setTabIcon(0, ServerConfigIcon());
    ui->pcConfig->setTabIcon(1, ListenersIcon());
    ui->pcConfig->setTabIcon(2, SinksIcon());
    ui->btnSave->setIcon(SaveIcon());
    ui->btnExit->setIcon(ExitIcon());
}

void TfmConfigMain::showEvent(QShowEvent* AEvent) {
    QWidget::showEvent(AEvent);
    // Centred on the screen when it first appears; the frame is known by now.
    if (FCentred || AEvent->spontaneous())
        return;
    FCentred = true;
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TfmConfigMain::ServerConfigToControls() {
    const int32_t logLevel = SyslogServerConfig->LogLevel();
    ui->cbLogLevel->setCurrentIndex(logLevel >= 0 && logLevel < CLogLevelCount ? logLevel : -1);
    ui->neQueueManagerThreads->SetValue(SyslogServerConfig->QueueManagerThreads());
    ui->rgMsgQueue->SetItemIndex(SyslogServerConfig->SingleMsgQueue() ? CSingleMsgQueueItem
                                                                      : COnePerListenerItem);
}

void TfmConfigMain::SaveConfig() {
    TSyslogServerConfig& document = *SyslogServerConfig;
    // A level outside the list (from a hand-edited file) shows no selection; it is kept as it
    // was read rather than replaced by the list's "no selection".
    if (ui->cbLogLevel->currentIndex() >= 0)
        document.SetLogLevel(ui->cbLogLevel->currentIndex());
    // Saving by access key leaves the focus in the edit, so it has not tidied its text yet.
    ui->neQueueManagerThreads->NormalizeText();
    document.SetQueueManagerThreads(ui->neQueueManagerThreads->Value());
    document.SetSingleMsgQueue(ui->rgMsgQueue->ItemIndex() != COnePerListenerItem);

    document.Listeners().Clear();
    const TListenerConfigList& listeners = ListenerDataSource().List();
    for (int32_t i = 0; i < listeners.Count(); ++i)
        document.Listeners().Add(std::make_unique<TListenerConfig>(listeners.ListenerConfig(i)));

    document.Sinks().Clear();
    const TSinkConfigList& sinks = SinkDataSource().List();
    for (int32_t i = 0; i < sinks.Count(); ++i) {
        const TBaseSinkConfig& sink = sinks.SinkConfig(i);
        if (const auto* fileSink = dynamic_cast<const TFileSinkConfig*>(&sink))
            document.Sinks().Add(std::make_unique<TFileSinkConfig>(*fileSink));
        else if (const auto* elasticSink = dynamic_cast<const TElasticSearchSinkConfig*>(&sink))
            document.Sinks().Add(std::make_unique<TElasticSearchSinkConfig>(*elasticSink));
        else
            throw EInvalidCast();
    }

    document.Save();
}

void TfmConfigMain::btnSaveClick() {
    SaveConfig();
    MessageDlg(this, QString::fromStdString(Format("Config saved to %s", {ConfigFile})),
               TMsgDlgType::Information, {TMsgDlgBtn::OK});
    FDirty = false;
}

void TfmConfigMain::btnExitClick() {
    if (FDirty && MessageDlg(this, QStringLiteral("Exit without saving?"), TMsgDlgType::Information,
                             {TMsgDlgBtn::Yes, TMsgDlgBtn::No}) != TMsgDlgBtn::Yes)
        return;
    // The program ends when its one window closes.
    close();
}

void TfmConfigMain::cbLogLevelChange() {
    FDirty = true;
}

void TfmConfigMain::neQueueManagerThreadsChange() {
    FDirty = true;
}

void TfmConfigMain::rgMsgQueueChanging(int /*ANewIndex*/, bool& /*AAllowChange*/) {
    FDirty = true;
}

void TfmConfigMain::LoadListenerGrid(const TListenerConfigList& AList) {
    const TGridViewUpdate viewUpdate(*ui->tvListeners);
    TGridDataController& controller = ui->tvListeners->DataController();
    controller.DetachCustomDataSource(); // released here, with its list copy
    const TGridFullUpdate fullUpdate(controller);
    controller.SetCustomDataSource(std::make_unique<TListenerGridDataSource>(AList));
}

void TfmConfigMain::ClearListenerGrid() {
    const TGridViewUpdate viewUpdate(*ui->tvListeners);
    ui->tvListeners->DataController().DetachCustomDataSource();
}

void TfmConfigMain::LoadSinkGrid(const TSinkConfigList& AList) {
    const TGridViewUpdate viewUpdate(*ui->tvSinks);
    TGridDataController& controller = ui->tvSinks->DataController();
    controller.DetachCustomDataSource();
    const TGridFullUpdate fullUpdate(controller);
    controller.SetCustomDataSource(std::make_unique<TSinkGridDataSource>(AList));
}

void TfmConfigMain::ClearSinkGrid() {
    const TGridViewUpdate viewUpdate(*ui->tvSinks);
    ui->tvSinks->DataController().DetachCustomDataSource();
}

TListenerGridDataSource& TfmConfigMain::ListenerDataSource() const {
    auto* source = dynamic_cast<TListenerGridDataSource*>(
        ui->tvListeners->DataController().CustomDataSource());
    if (source == nullptr)
        throw EInvalidCast();
    return *source;
}

TSinkGridDataSource& TfmConfigMain::SinkDataSource() const {
    auto* source =
        dynamic_cast<TSinkGridDataSource*>(ui->tvSinks->DataController().CustomDataSource());
    if (source == nullptr)
        throw EInvalidCast();
    return *source;
}
