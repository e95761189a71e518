// The grids: the data source protocol on a table view (full updates, focused record, attaching
// and detaching) and the cell texts of the listener and sink data sources.

#include "platform/JsonValue.h"
#include "support/ApplicationTestMain.h"
#include "support/GridTexts.h"
#include "ui/GridDataSources.h"
#include "ui/kit/GridTableView.h"

#include <QLineEdit>
#include <QTest>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A data source over a list of texts, one column.
class TextDataSource final : public TGridDataSource {
public:
    explicit TextDataSource(std::vector<QString> ATexts) : FTexts(std::move(ATexts)) {}

    std::vector<QString>& Texts() { return FTexts; }

    int32_t GetRecordCount() const override { return static_cast<int32_t>(FTexts.size()); }
    QVariant GetValue(int32_t ARecordIndex, int32_t AColumn) const override {
        return AColumn == 0 ? QVariant(FTexts.at(ARecordIndex)) : QVariant();
    }
    void DeleteRecord(int32_t ARecordIndex) override {
        FTexts.erase(FTexts.begin() + ARecordIndex);
        DataChanged();
    }

private:
    std::vector<QString> FTexts;
};

// A sink of a kind the grid does not know.
class OtherSink final : public TBaseSinkConfig {
public:
    std::unique_ptr<JsonObject> ToJSONObject() const override {
        return std::make_unique<JsonObject>();
    }
    void FromJSONObject(const JsonValue&) override {}
};

QStringList Rows(const TGridTableView& AView) {
    return RowTexts(*AView.model());
}

std::unique_ptr<TListenerConfig> Listener(const char* ANIC, uint16_t AUDP, uint16_t ATCP,
                                          uint16_t ATLS) {
    auto listener = std::make_unique<TListenerConfig>();
    listener->SetNIC(ANIC);
    listener->SetUDPPort(AUDP);
    listener->SetTCPPort(ATCP);
    listener->SetTLSPort(ATLS);
    return listener;
}

} // namespace

class GridTest : public QObject {
    Q_OBJECT

private slots:
    void withoutDataSourceOnlyTheHeadersShow();
    void changesInAFullUpdateShowAtItsEnd();
    void focusedRecordFollowsTheRowAndSurvivesUpdates();
    void wholeRowsAreSelectedAndNothingIsEdited();
    void focusedRowCannotBeDeselected();
    void detachingLeavesTheGridEmpty();
    void listenerCells();
    void sinkCells();
    void dataSourcesOwnDeepCopies();
};

void GridTest::withoutDataSourceOnlyTheHeadersShow() {
    TGridTableView view;
    view.SetColumns({{QStringLiteral("A"), 50}, {QStringLiteral("B"), 70}});
    QCOMPARE(view.model()->rowCount(), 0);
    QCOMPARE(view.model()->columnCount(), 2);
    QCOMPARE(view.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("B"));
    QCOMPARE(view.columnWidth(1), 70);
    QCOMPARE(view.DataController().FocusedRecordIndex(), -1);
}

void GridTest::changesInAFullUpdateShowAtItsEnd() {
    TGridTableView view;
    view.SetColumns({{QStringLiteral("Text"), 100}});
    view.DataController().SetCustomDataSource(
        std::make_unique<TextDataSource>(std::vector<QString>{u"a"_s, u"b"_s}));
    auto& source = static_cast<TextDataSource&>(*view.DataController().CustomDataSource());
    QCOMPARE(Rows(view), (QStringList{u"a"_s, u"b"_s}));

    {
        const TGridFullUpdate update(view.DataController());
        source.Texts().push_back(QStringLiteral("c"));
        source.DataChanged();
        source.Texts().front() = QStringLiteral("A");
    }
    QCOMPARE(Rows(view), (QStringList{u"A"_s, u"b"_s, u"c"_s}));

    // A change announced without a bracket is shown all the same.
    source.DeleteRecord(1);
    QCOMPARE(Rows(view), (QStringList{u"A"_s, u"c"_s}));
}

void GridTest::focusedRecordFollowsTheRowAndSurvivesUpdates() {
    TGridTableView view;
    view.SetColumns({{QStringLiteral("Text"), 100}});
    view.DataController().SetCustomDataSource(
        std::make_unique<TextDataSource>(std::vector<QString>{u"a"_s, u"b"_s, u"c"_s}));
    TGridDataController& controller = view.DataController();
    QCOMPARE(controller.FocusedRecordIndex(), -1);

    // Receiving the keyboard focus, the grid focuses and highlights its first row.
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(controller.FocusedRecordIndex(), 0);
    QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
    QCOMPARE(view.selectionModel()->selectedRows().first().row(), 0);

    const QRect secondRow = view.visualRect(view.model()->index(1, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, secondRow.center());
    QCOMPARE(controller.FocusedRecordIndex(), 1);
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(controller.FocusedRecordIndex(), 2);
    QCOMPARE(view.selectionModel()->selectedRows().first().row(), 2);

    auto& source = static_cast<TextDataSource&>(*controller.CustomDataSource());
    {
        const TGridFullUpdate update(controller);
        source.Texts().at(2) = QStringLiteral("C");
    }
    QCOMPARE(controller.FocusedRecordIndex(), 2);
    // The focused record deleted: the focus moves to the record that is now last.
    source.DeleteRecord(2);
    QCOMPARE(controller.FocusedRecordIndex(), 1);
    source.DeleteRecord(1);
    source.DeleteRecord(0);
    QCOMPARE(controller.FocusedRecordIndex(), -1);
}

void GridTest::wholeRowsAreSelectedAndNothingIsEdited() {
    TGridTableView view;
    view.SetColumns({{QStringLiteral("A"), 80}, {QStringLiteral("B"), 80}});
    view.DataController().SetCustomDataSource(
        std::make_unique<TextDataSource>(std::vector<QString>{u"a"_s, u"b"_s}));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QRect cell = view.visualRect(view.model()->index(0, 1));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
    QCOMPARE(view.selectionModel()->selectedIndexes().size(), 2);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(&view, Qt::Key_F2);
    QVERIFY(view.findChild<QLineEdit*>() == nullptr || !view.findChild<QLineEdit*>()->isVisible());
    QVERIFY(!view.model()->flags(view.model()->index(0, 0)).testFlag(Qt::ItemIsEditable));
    QCOMPARE(Rows(view), (QStringList{u"a|"_s, u"b|"_s}));
}

// The commands act on the focused row, so it must always be the highlighted one: Ctrl+click and
// Ctrl+Space, which toggle a row in other lists, leave it selected.
void GridTest::focusedRowCannotBeDeselected() {
    TGridTableView view;
    view.SetColumns({{QStringLiteral("A"), 80}, {QStringLiteral("B"), 80}});
    view.DataController().SetCustomDataSource(
        std::make_unique<TextDataSource>(std::vector<QString>{u"a"_s, u"b"_s}));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const QPoint row1 = view.visualRect(view.model()->index(1, 0)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, row1);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, row1);
    QCOMPARE(view.DataController().FocusedRecordIndex(), 1);
    QVERIFY(view.selectionModel()->isRowSelected(1, QModelIndex()));
    QTest::keyClick(&view, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(view.DataController().FocusedRecordIndex(), 1);
    QVERIFY(view.selectionModel()->isRowSelected(1, QModelIndex()));
    QCOMPARE(view.selectionModel()->selectedRows().size(), 1);
}

void GridTest::detachingLeavesTheGridEmpty() {
    TGridTableView view;
    view.SetColumns({{QStringLiteral("Text"), 100}});
    view.DataController().SetCustomDataSource(
        std::make_unique<TextDataSource>(std::vector<QString>{u"a"_s}));
    std::unique_ptr<TGridDataSource> detached = view.DataController().DetachCustomDataSource();
    QVERIFY(detached != nullptr);
    QCOMPARE(detached->DataController(), nullptr);
    QCOMPARE(view.DataController().CustomDataSource(), nullptr);
    QCOMPARE(view.model()->rowCount(), 0);
    QCOMPARE(view.model()->columnCount(), 1);
    detached->DataChanged(); // no grid to tell: nothing happens
    QCOMPARE(view.model()->rowCount(), 0);
}

void GridTest::listenerCells() {
    TListenerConfigList list;
    list.Add(Listener("192.168.1.10", 514, 0, 6514));
    list.Add(Listener("", 65535, 1, 2));
    TGridTableView view;
    view.SetColumns(TListenerGridDataSource::Columns());
    view.DataController().SetCustomDataSource(std::make_unique<TListenerGridDataSource>(list));
    QCOMPARE(Rows(view), (QStringList{u"192.168.1.10|514|0|6514"_s, u"|65535|1|2"_s}));

    // Numbers right-aligned, text as it is; no column past the last.
    const QAbstractItemModel& model = *view.model();
    QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignRight | Qt::AlignVCenter));
    QVERIFY(!model.index(0, 0).data(Qt::TextAlignmentRole).isValid());
    const auto& source = *view.DataController().CustomDataSource();
    QVERIFY(source.GetValue(0, 4).isNull());
}

void GridTest::sinkCells() {
    TSinkConfigList list;
    auto file = std::make_unique<TFileSinkConfig>();
    file->SetName("Local files");
    file->SetDirectory("/var/log/korvex");
    list.Add(std::move(file));
    auto elastic = std::make_unique<TElasticSearchSinkConfig>();
    elastic->SetName("Search");
    elastic->SetServer("search.example");
    elastic->SetPort(9201);
    list.Add(std::move(elastic));

    TGridTableView view;
    view.SetColumns(TSinkGridDataSource::Columns());
    view.DataController().SetCustomDataSource(std::make_unique<TSinkGridDataSource>(list));
    QCOMPARE(Rows(view), (QStringList{u"Local files|File|/var/log/korvex"_s,
                                      u"Search|Elastic|search.example:9201"_s}));

    // A sink of any other kind shows three empty cells.
    auto& source = static_cast<TSinkGridDataSource&>(*view.DataController().CustomDataSource());
    {
        const TGridFullUpdate update(view.DataController());
        auto other = std::make_unique<OtherSink>();
        other->SetName("Other");
        source.List().Add(std::move(other));
    }
    QCOMPARE(Rows(view).last(), QStringLiteral("||"));
    QVERIFY(source.GetValue(0, 3).isNull());
}

void GridTest::dataSourcesOwnDeepCopies() {
    TListenerConfigList listeners;
    listeners.Add(Listener("10.0.0.1", 514, 514, 5140));
    TListenerGridDataSource listenerSource(listeners);
    listenerSource.List().ListenerConfig(0).SetUDPPort(1);
    listenerSource.List().Add(Listener("10.0.0.2", 1, 2, 3));
    QCOMPARE(listeners.Count(), 1);
    QCOMPARE(listeners.ListenerConfig(0).UDPPort(), uint16_t(514));
    listeners.ListenerConfig(0).SetNIC("changed");
    QCOMPARE(listenerSource.GetValue(0, 0).toString(), QStringLiteral("10.0.0.1"));

    TSinkConfigList sinks;
    auto elastic = std::make_unique<TElasticSearchSinkConfig>();
    elastic->SetServer("a");
    sinks.Add(std::move(elastic));
    TSinkGridDataSource sinkSource(sinks);
    static_cast<TElasticSearchSinkConfig&>(sinkSource.List().SinkConfig(0)).SetServer("b");
    QCOMPARE(static_cast<TElasticSearchSinkConfig&>(sinks.SinkConfig(0)).Server(),
             std::string("a"));
    QCOMPARE(sinkSource.GetValue(0, 1).toString(), QStringLiteral("Elastic"));
}

KORVEX_QTEST_MAIN(GridTest)
#include "GridTest.moc"
