#include "ui/ListenerConfigEdit.h"

#include "config/ServerConfig.h"
#include "platform/Trim.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/RememberedValues.h"
#include "ui_ListenerConfigEdit.h"

#include <algorithm>

namespace {

const char* const FormKey = "ListenerDetail";
const char* const NICValue = "NIC";
const char* const UDPPortValue = "UDPPort";
const char* const TCPPortValue = "TCPPort";
const char* const TLSPortValue = "TLSPort";

constexpr int32_t DefaultUDPPort = 514;
constexpr int32_t DefaultTCPPort = 514;
constexpr int32_t DefaultTLSPort = 5140;

// The port a port edit stands for. A number not yet brought into the edit's range (typed and
// confirmed with Enter, or put there from the remembered values) is brought into it first, so
// the edit shows what is stored.
uint16_t PortOf(TNumericEdit& AEdit) {
    AEdit.NormalizeText();
    return static_cast<uint16_t>(std::clamp<int32_t>(AEdit.Value(), 0, 65535));
}

} // namespace

TfmListenerConfigEdit::TfmListenerConfigEdit(QWidget* AOwner, const TListenerConfig* AListener)
    : TfmBaseModalForm(AOwner), ui(std::make_unique<Ui::TfmListenerConfigEdit>()),
      FListener(AListener != nullptr ? std::make_unique<TListenerConfig>(*AListener)
                                     : std::make_unique<TListenerConfig>()) {
    setObjectName(QStringLiteral("fmListenerConfigEdit"));
    ui->setupUi(gbModal());
    setWindowTitle(QStringLiteral("Listener"));
    SetClientSize(497, 142);
    PlaceButtonsAfter(ui->neTLSPort);

    LoadRememberedValues();
    if (AListener != nullptr)
        ConfigToControls();
}

TfmListenerConfigEdit::~TfmListenerConfigEdit() = default;

void TfmListenerConfigEdit::LoadRememberedValues() {
    ui->ebIPAddress->setText(RememberedText(FormKey, NICValue));
    ui->neUDPPort->SetValue(RememberedInteger(FormKey, UDPPortValue, DefaultUDPPort));
    ui->neTCPPort->SetValue(RememberedInteger(FormKey, TCPPortValue, DefaultTCPPort));
    ui->neTLSPort->SetValue(RememberedInteger(FormKey, TLSPortValue, DefaultTLSPort));
}

void TfmListenerConfigEdit::SaveRememberedValues() {
    Remember(FormKey, NICValue,
             QString::fromStdString(Trim(ui->ebIPAddress->text().toStdString())));
    Remember(FormKey, UDPPortValue, QString::number(ui->neUDPPort->Value()));
    Remember(FormKey, TCPPortValue, QString::number(ui->neTCPPort->Value()));
    Remember(FormKey, TLSPortValue, QString::number(ui->neTLSPort->Value()));
}

void TfmListenerConfigEdit::ConfigToControls() {
    ui->ebIPAddress->setText(QString::fromStdString(FListener->NIC()));
    ui->neUDPPort->SetValue(FListener->UDPPort());
    ui->neTCPPort->SetValue(FListener->TCPPort());
    ui->neTLSPort->SetValue(FListener->TLSPort());
}

void TfmListenerConfigEdit::ControlsToConfig() {
    FListener->SetNIC(Trim(ui->ebIPAddress->text().toStdString()));
    FListener->SetUDPPort(PortOf(*ui->neUDPPort));
    FListener->SetTCPPort(PortOf(*ui->neTCPPort));
    FListener->SetTLSPort(PortOf(*ui->neTLSPort));
}

bool TfmListenerConfigEdit::ValidateInput() {
    ControlsToConfig();
    if (FListener->TCPPort() == FListener->TLSPort()) {
        MessageDlg(this, QStringLiteral("TCP Port cannot be the same as the TLS Port!"),
                   TMsgDlgType::Error, {TMsgDlgBtn::OK});
        return false;
    }
    SaveRememberedValues();
    return true;
}
