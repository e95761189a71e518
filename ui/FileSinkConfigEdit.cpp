#include "ui/FileSinkConfigEdit.h"

#include "config/ServerConfig.h"
#include "platform/Trim.h"
#include "ui/kit/FolderChooser.h"
#include "ui/kit/Glyphs.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/RememberedValues.h"
#include "ui_FileSinkConfigEdit.h"

#include <QFileInfo>
#include <QToolButton>

namespace {

const char* const FormKey = "FileConfigEdit";
const char* const DirValue = "Dir";
const char* const SizeValue = "Size";
const char* const RetentionValue = "Retention";

constexpr int32_t DefaultFileSizeKb = 1024;
constexpr int32_t DefaultRetentionDays = 7;

QString Trimmed(const QString& AText) {
    return QString::fromStdString(Trim(AText.toStdString()));
}

// The whole number of a numeric edit; an empty edit then shows the number it counts as.
int32_t NumberOf(TNumericEdit& AEdit) {
    AEdit.NormalizeText();
    return AEdit.Value();
}

} // namespace

TfmFileSinkConfigEdit::TfmFileSinkConfigEdit(QWidget* AOwner, const TFileSinkConfig* AConfig)
    : TfmBaseModalForm(AOwner), ui(std::make_unique<Ui::TfmFileSinkConfigEdit>()),
      FCfg(AConfig != nullptr ? std::make_unique<TFileSinkConfig>(*AConfig)
                              : std::make_unique<TFileSinkConfig>()) {
    setObjectName(QStringLiteral("fmFileSinkConfigEdit"));
    ui->setupUi(gbModal());
    setWindowTitle(QStringLiteral("File Sink Config Edit"));
    SetClientSize(590, 183);
    PlaceButtonsAfter(ui->neFileRetention);

    // The folder is picked, not typed: a read-only edit in the tooltip colour whose button
    // opens the folder chooser.
    QPalette palette = ui->ebDirectory->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    ui->ebDirectory->setPalette(palette);
    ui->ebDirectory->SetButtonIcon(FolderIcon());
    ui->ebDirectory->Button()->setToolTip(QStringLiteral("Browse For Folder (F4)"));
    connect(ui->ebDirectory, &TButtonEdit::ButtonClick, this,
            &TfmFileSinkConfigEdit::ebDirectoryButtonClick);

    if (AConfig != nullptr)
        ConfigToControls();
    else
        LoadRememberedValues();
}

TfmFileSinkConfigEdit::~TfmFileSinkConfigEdit() = default;

void TfmFileSinkConfigEdit::LoadRememberedValues() {
    ui->ebDirectory->setText(RememberedText(FormKey, DirValue));
    ui->neFileSize->SetValue(RememberedInteger(FormKey, SizeValue, DefaultFileSizeKb));
    ui->neFileRetention->SetValue(RememberedInteger(FormKey, RetentionValue, DefaultRetentionDays));
}

void TfmFileSinkConfigEdit::SaveRememberedValues() {
    Remember(FormKey, DirValue, Trimmed(ui->ebDirectory->text()));
    Remember(FormKey, SizeValue, QString::number(ui->neFileSize->Value()));
    Remember(FormKey, RetentionValue, QString::number(ui->neFileRetention->Value()));
}

void TfmFileSinkConfigEdit::ConfigToControls() {
    ui->ebName->setText(QString::fromStdString(FCfg->Name()));
    ui->ebDirectory->setText(QString::fromStdString(FCfg->Directory()));
    ui->neFileSize->SetValue(FCfg->FileSizeKb());
    ui->neFileRetention->SetValue(FCfg->RetentionDays());
}

void TfmFileSinkConfigEdit::ControlsToConfig() {
    FCfg->SetName(Trim(ui->ebName->text().toStdString()));
    FCfg->SetDirectory(Trim(ui->ebDirectory->text().toStdString()));
    FCfg->SetFileSizeKb(NumberOf(*ui->neFileSize));
    FCfg->SetRetentionDays(NumberOf(*ui->neFileRetention));
}

bool TfmFileSinkConfigEdit::ValidateInput() {
    ControlsToConfig();
    const char* refusal = nullptr;
    if (FCfg->Name().empty())
        refusal = "You must have a name.";
    else if (FCfg->Directory().empty())
        refusal = "You must have a directory.";
    else if (FCfg->FileSizeKb() <= 0)
        refusal = "You must have a non zero file size.";
    else if (FCfg->RetentionDays() <= 0)
        refusal = "You must have a non zero retention.";
    if (refusal != nullptr) {
        MessageDlg(this, QString::fromLatin1(refusal), TMsgDlgType::Error, {TMsgDlgBtn::OK});
        return false;
    }
    SaveRememberedValues();
    return true;
}

void TfmFileSinkConfigEdit::ebDirectoryButtonClick() {
    const QString current = ui->ebDirectory->text();
    const QString start = !current.isEmpty() && QFileInfo(current).isDir() ? current : QString();
    if (const std::optional<QString> chosen =
            BrowseForFolder(this, QStringLiteral("Browse For Folder"), start))
        ui->ebDirectory->setText(*chosen);
}
