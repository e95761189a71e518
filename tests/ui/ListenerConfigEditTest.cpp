#include "ui/ListenerConfigEdit.h"

#include "config/ServerConfig.h"
#include "support/ControlPlacement.h"
#include "support/DialogKeys.h"
#include "support/MessageBoxRecorder.h"
#include "support/SettingsSandbox.h"
#include "ui/kit/NumericEdit.h"
#include "util/Utilities.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

const std::string FormKey = "ListenerDetail";

std::string Remembered(const char* AValueName) {
    return TUtilities::GetFormKey(FormKey, AValueName);
}

void RememberListener(const char* ANIC, const char* AUDP, const char* ATCP, const char* ATLS) {
    TUtilities::SetFormKey(FormKey, "NIC", ANIC);
    TUtilities::SetFormKey(FormKey, "UDPPort", AUDP);
    TUtilities::SetFormKey(FormKey, "TCPPort", ATCP);
    TUtilities::SetFormKey(FormKey, "TLSPort", ATLS);
}

// The dialog, shown and active, with typed access to its controls.
class ListenerDialog {
public:
    explicit ListenerDialog(const TListenerConfig* AListener = nullptr)
        : Form(std::make_unique<TfmListenerConfigEdit>(nullptr, AListener)) {
        Form->show();
        Active = QTest::qWaitForWindowActive(Form.get());
    }
    QLineEdit* IPAddress() const { return Find<QLineEdit>("ebIPAddress"); }
    TNumericEdit* UDPPort() const { return Find<TNumericEdit>("neUDPPort"); }
    TNumericEdit* TCPPort() const { return Find<TNumericEdit>("neTCPPort"); }
    TNumericEdit* TLSPort() const { return Find<TNumericEdit>("neTLSPort"); }
    QStringList Shown() const {
        return {IPAddress()->text(), UDPPort()->text(), TCPPort()->text(), TLSPort()->text()};
    }
    void PressEnterIn(QWidget* AField) const { QTest::keyClick(AField, Qt::Key_Return); }

    template <typename T> T* Find(const char* AName) const {
        return Form->findChild<T*>(QString::fromLatin1(AName));
    }

    std::unique_ptr<TfmListenerConfigEdit> Form;
    bool Active = false;
};

QStringList Texts(std::initializer_list<const char*> ATexts) {
    QStringList list;
    for (const char* text : ATexts)
        list.append(QString::fromUtf8(text));
    return list;
}

} // namespace

class ListenerConfigEditTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layoutAndCaptions_data();
    void layoutAndCaptions();
    void tabOrderRunsThroughTheFieldsThenTheButtons();
    void firstUseStartsFromDefaults();
    void okTrimsTheAddressAndRemembersTheListener();
    void editShowsTheRecordAndOkRemembersIt();
    void equalTcpAndTlsPortsAreRefused();
    void udpPortMayEqualTheOthers();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void rememberedPortTexts_data();
    void rememberedPortTexts();
    void portsAreBroughtIntoRangeOnOk_data();
    void portsAreBroughtIntoRangeOnOk();
    void brokenStoreStillClosesWithOk();

private:
    std::unique_ptr<SettingsSandbox> FSandbox;
};

void ListenerConfigEditTest::init() {
    FSandbox = std::make_unique<SettingsSandbox>();
    QVERIFY(FSandbox->IsValid());
}

void ListenerConfigEditTest::cleanup() {
    FSandbox.reset();
}

void ListenerConfigEditTest::layoutAndCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // within gbModal; a label's size is its own
    QTest::addColumn<QString>("caption");
    QTest::newRow("RzLabel1") << "RzLabel1" << QRect(16, 24, 0, 0) << "IP Address";
    QTest::newRow("ebIPAddress") << "ebIPAddress" << QRect(16, 48, 169, 26) << "";
    QTest::newRow("RzLabel2") << "RzLabel2" << QRect(208, 24, 0, 0) << "UDP Port";
    QTest::newRow("neUDPPort") << "neUDPPort" << QRect(208, 48, 65, 26) << "";
    QTest::newRow("RzLabel3") << "RzLabel3" << QRect(312, 24, 0, 0) << "TCP Port";
    QTest::newRow("neTCPPort") << "neTCPPort" << QRect(312, 48, 65, 26) << "";
    QTest::newRow("RzLabel4") << "RzLabel4" << QRect(410, 24, 0, 0) << "TLS Port";
    QTest::newRow("neTLSPort") << "neTLSPort" << QRect(410, 48, 65, 26) << "";
}

void ListenerConfigEditTest::layoutAndCaptions() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    ListenerDialog dialog;
    QCOMPARE(dialog.Form->windowTitle(), QStringLiteral("Listener"));
    QCOMPARE(dialog.Form->size(), QSize(497, 142));
    auto* group = dialog.Find<QGroupBox>("gbModal");
    QCOMPARE(group->title(), QStringLiteral("Listener Config"));
    QCOMPARE(group->size(), QSize(497, 115));

    VerifyControlPlacement(*group, dialog.Find<QWidget>(name.toLatin1().constData()), geometry,
                           caption);
}

void ListenerConfigEditTest::tabOrderRunsThroughTheFieldsThenTheButtons() {
    ListenerDialog dialog;
    QVERIFY(dialog.Active);
    QVERIFY(dialog.IPAddress()->hasFocus());
    QCOMPARE(TabSequence(6),
             Texts({"neUDPPort", "neTCPPort", "neTLSPort", "btnOK", "btnCancel", "ebIPAddress"}));
}

void ListenerConfigEditTest::firstUseStartsFromDefaults() {
    ListenerDialog dialog;
    QCOMPARE(dialog.Shown(), Texts({"", "514", "514", "5140"}));
}

void ListenerConfigEditTest::okTrimsTheAddressAndRemembersTheListener() {
    {
        ListenerDialog dialog;
        QVERIFY(dialog.Active);
        TypeOver(dialog.IPAddress(), QStringLiteral("  10.0.0.5 "));
        TypeOver(dialog.UDPPort(), QStringLiteral("1514"));
        TypeOver(dialog.TCPPort(), QStringLiteral("601"));
        TypeOver(dialog.TLSPort(), QStringLiteral("6514"));
        dialog.PressEnterIn(dialog.TLSPort());
        QCOMPARE(dialog.Form->result(), mrOk);
        const TListenerConfig& listener = dialog.Form->ListenerConfig();
        QCOMPARE(listener.NIC(), std::string("10.0.0.5"));
        QCOMPARE(listener.UDPPort(), 1514);
        QCOMPARE(listener.TCPPort(), 601);
        QCOMPARE(listener.TLSPort(), 6514);
    }
    QCOMPARE(Remembered("NIC"), std::string("10.0.0.5"));
    QCOMPARE(Remembered("UDPPort"), std::string("1514"));
    QCOMPARE(Remembered("TCPPort"), std::string("601"));
    QCOMPARE(Remembered("TLSPort"), std::string("6514"));

    ListenerDialog next;
    QCOMPARE(next.Shown(), Texts({"10.0.0.5", "1514", "601", "6514"}));
}

void ListenerConfigEditTest::editShowsTheRecordAndOkRemembersIt() {
    RememberListener("10.1.1.1", "1", "2", "3");
    TListenerConfig record;
    record.SetNIC("192.168.7.7");
    record.SetUDPPort(2514);
    record.SetTCPPort(2601);
    record.SetTLSPort(26514);

    ListenerDialog dialog(&record);
    QVERIFY(dialog.Active);
    QCOMPARE(dialog.Shown(), Texts({"192.168.7.7", "2514", "2601", "26514"}));
    TypeOver(dialog.UDPPort(), QStringLiteral("3514"));
    QTest::mouseClick(dialog.Find<QPushButton>("btnOK"), Qt::LeftButton);
    QCOMPARE(dialog.Form->result(), mrOk);
    QCOMPARE(dialog.Form->ListenerConfig().UDPPort(), 3514);
    QCOMPARE(record.UDPPort(), 2514); // the caller's record is only read

    QCOMPARE(Remembered("NIC"), std::string("192.168.7.7"));
    QCOMPARE(Remembered("UDPPort"), std::string("3514"));
    QCOMPARE(Remembered("TCPPort"), std::string("2601"));
    QCOMPARE(Remembered("TLSPort"), std::string("26514"));
}

void ListenerConfigEditTest::equalTcpAndTlsPortsAreRefused() {
    MessageBoxRecorder boxes;
    ListenerDialog dialog;
    QVERIFY(dialog.Active);
    TypeOver(dialog.IPAddress(), QStringLiteral(" 10.0.0.9"));
    TypeOver(dialog.TCPPort(), QStringLiteral("6514"));
    TypeOver(dialog.TLSPort(), QStringLiteral("6514"));
    dialog.PressEnterIn(dialog.TLSPort());

    QCOMPARE(boxes.Texts(),
             QStringList{QStringLiteral("TCP Port cannot be the same as the TLS Port!")});
    QCOMPARE(boxes.Shown().at(0).Type, TMsgDlgType::Error);
    QCOMPARE(boxes.Shown().at(0).Buttons, QList<TMsgDlgBtn>{TMsgDlgBtn::OK});
    QVERIFY(dialog.Form->isVisible());
    QCOMPARE(dialog.Form->result(), mrNone);
    QCOMPARE(dialog.Shown(), Texts({" 10.0.0.9", "514", "6514", "6514"}));
    QCOMPARE(Remembered("NIC"), std::string());
    QCOMPARE(Remembered("TLSPort"), std::string());

    // Corrected, the same dialog accepts.
    TypeOver(dialog.TLSPort(), QStringLiteral("6515"));
    dialog.PressEnterIn(dialog.TLSPort());
    QCOMPARE(dialog.Form->result(), mrOk);
    QCOMPARE(boxes.Shown().size(), 1);
}

void ListenerConfigEditTest::udpPortMayEqualTheOthers() {
    MessageBoxRecorder boxes;
    ListenerDialog dialog;
    QVERIFY(dialog.Active);
    TypeOver(dialog.UDPPort(), QStringLiteral("5140"));
    dialog.PressEnterIn(dialog.UDPPort());
    QCOMPARE(dialog.Form->result(), mrOk);
    QVERIFY(boxes.Shown().isEmpty());
}

void ListenerConfigEditTest::cancelChangesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("close box") << "close";
}

void ListenerConfigEditTest::cancelChangesNothing() {
    QFETCH(QString, how);
    RememberListener("10.1.1.1", "1", "2", "3");
    TListenerConfig record;
    ListenerDialog dialog(&record);
    QVERIFY(dialog.Active);
    TypeOver(dialog.IPAddress(), QStringLiteral("10.9.9.9"));
    TypeOver(dialog.TCPPort(), QStringLiteral("999"));
    if (how == QLatin1String("Escape"))
        QTest::keyClick(dialog.TCPPort(), Qt::Key_Escape);
    else if (how == QLatin1String("Cancel"))
        QTest::mouseClick(dialog.Find<QPushButton>("btnCancel"), Qt::LeftButton);
    else
        dialog.Form->close();
    QCOMPARE(dialog.Form->result(), mrCancel);
    QCOMPARE(record.NIC(), std::string("127.0.0.1"));
    QCOMPARE(record.TCPPort(), 514);
    QCOMPARE(Remembered("NIC"), std::string("10.1.1.1"));
    QCOMPARE(Remembered("TCPPort"), std::string("2"));
}

void ListenerConfigEditTest::rememberedPortTexts_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("not a number") << "abc"
                                  << "514";
    QTest::newRow("empty") << ""
                           << "514";
    QTest::newRow("trailing text") << "600x"
                                   << "514";
    QTest::newRow("leading blanks") << "  600"
                                    << "600";
    QTest::newRow("hexadecimal") << "$1F90"
                                 << "8080";
    QTest::newRow("out of range, shown as stored") << "70000"
                                                   << "70000";
    QTest::newRow("beyond 32 bits") << "4294967296"
                                    << "514";
}

void ListenerConfigEditTest::rememberedPortTexts() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    RememberListener("", stored.toStdString().c_str(), "514", "5140");
    ListenerDialog dialog;
    QCOMPARE(dialog.UDPPort()->text(), shown);
}

void ListenerConfigEditTest::portsAreBroughtIntoRangeOnOk_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    QTest::newRow("empty counts as the lower bound") << "" << 1;
    QTest::newRow("zero") << "0" << 1;
    QTest::newRow("negative") << "-20" << 1;
    QTest::newRow("above 65535") << "99999" << 65535;
    QTest::newRow("in range") << "65535" << 65535;
}

// Enter leaves the focus where it is, so the dialog itself brings a typed number into range;
// the edit then shows what was stored.
void ListenerConfigEditTest::portsAreBroughtIntoRangeOnOk() {
    QFETCH(QString, typed);
    QFETCH(int, stored);
    ListenerDialog dialog;
    QVERIFY(dialog.Active);
    TypeOver(dialog.UDPPort(), typed);
    dialog.PressEnterIn(dialog.UDPPort());
    QCOMPARE(dialog.Form->result(), mrOk);
    QCOMPARE(int(dialog.Form->ListenerConfig().UDPPort()), stored);
    QCOMPARE(dialog.UDPPort()->text(), QString::number(stored));
    QCOMPARE(Remembered("UDPPort"), std::to_string(stored));
}

void ListenerConfigEditTest::brokenStoreStillClosesWithOk() {
    FSandbox->BreakStore();
    ListenerDialog dialog;
    QVERIFY(dialog.Active);
    QCOMPARE(dialog.Shown(), Texts({"", "514", "514", "5140"}));
    TypeOver(dialog.IPAddress(), QStringLiteral("10.0.0.5"));
    dialog.PressEnterIn(dialog.IPAddress());
    QCOMPARE(dialog.Form->result(), mrOk);
    QCOMPARE(dialog.Form->ListenerConfig().NIC(), std::string("10.0.0.5"));
}

QTEST_MAIN(ListenerConfigEditTest)
#include "ListenerConfigEditTest.moc"
