// NWP overlays in the application: the selection dialog over a catalogue,
// the overlays it adds to the view, the manager's show/hide/delete as the
// picture shows them, the contour settings dialog and the class menu items.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <filesystem>

#include "dialogs/CNwpManagerDlg.h"
#include "dialogs/CNwpSelectDlg.h"
#include "dialogs/CNwpSettingsDlg.h"
#include "nwp/NwpTestFiles.h"
#include "platform/TextCodec.h"
#include "ui/CanvasColour.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

constexpr std::uint32_t kBlue = CanvasRgb(0, 0, 255);
constexpr std::uint32_t kGreen = CanvasRgb(0, 128, 0);
constexpr std::uint32_t kRed = CanvasRgb(255, 0, 0);

// Class 1 "高空形势": a type whose files lie in level folders, and one
// without levels; class 2 "地面" has no types.
void WriteCatalogue(const CTempDir& root) {
    const std::string gbk = Utf8ToGbk(
        "class1\r\nupper air 高空形势 2\r\nheight 500hPa高度 2\r\n500\r\n700\r\n"
        "pressure 海平面气压 0\r\nclass2\r\nsurface 地面 0");
    WriteFileBytes(root.File("nwp.txt"), std::vector<std::uint8_t>(gbk.begin(), gbk.end()));
    const std::pair<const char*, const char*> files[] = {
        {"upper air/height/500/22033020.000", "22年03月30日20时500hPa高度"},
        {"upper air/height/500/22033108.000", "22年03月31日08时500hPa高度"},
        {"upper air/height/700/22033020.000", "22年03月30日20时700hPa高度"},
        {"upper air/pressure/22033020.000", "22年03月30日20时海平面气压"}};
    for (const auto& [name, description] : files) {
        std::filesystem::create_directories(std::filesystem::path(root.File(name)).parent_path());
        DiamondContent content;
        content.description = description;
        WriteDiamond(root, name, content);
    }
}

// lon + lat round the test product (94.5-100.5 E, 25.25-29.75 N): a line
// every degree crosses it.
std::string WriteCrossingField(const CTempDir& dir) {
    DiamondContent c;
    c.firstLon = 90.0;
    c.lastLon = 105.0;
    c.firstLat = 35.0;
    c.lastLat = 20.0;
    c.nx = c.ny = 7;
    c.interval = 1.0;
    c.firstValue = 100.0;
    c.lastValue = 150.0;
    return WriteDiamond(dir, "crossing.000", c);
}

QStringList Column(const QTreeWidget& list, int column) {
    QStringList texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        texts << list.topLevelItem(i)->text(column);
    }
    return texts;
}

// The test product shown with only the NWP layer drawn.
void OpenBareProduct(CTestApp& t, const CTempDir& dir) {
    const std::string path = dir.File("FY2G_LCN_IR1_202203311300.AWX");
    QVERIFY(WriteTestProduct(path));
    t.View().Job().Layers().m_bMap = t.View().Job().Layers().m_bGrid =
        t.View().Job().Layers().m_bTitle = 0;
    QVERIFY(t.App().OpenDocumentFile(path));
}

}  // namespace

class TestNwpDialogs : public QObject {
    Q_OBJECT

private slots:
    void typesAndLevels_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("levelsEnabled");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("times");
        QTest::newRow("start: no level chosen, the type folder")
            << 0 << -1 << true << "upper air/height/" << QStringList();
        QTest::newRow("level 500") << 0 << 0 << true << "upper air/height/500/"
                                   << QStringList({"2022年03月30日20时", "2022年03月31日08时"});
        QTest::newRow("type without levels: its own folder")
            << 1 << -1 << false << "upper air/pressure/" << QStringList({"2022年03月30日20时"});
    }

    void typesAndLevels() {
        QFETCH(int, type);
        QFETCH(int, level);
        QFETCH(bool, levelsEnabled);
        QFETCH(QString, folder);
        QFETCH(QStringList, times);
        CTempDir root;
        WriteCatalogue(root);
        CNwpSelectDlg dialog(root.Path(), 1);
        QCOMPARE(dialog.windowTitle(), "高空形势");
        QCOMPARE(dialog.TypeCombo()->itemText(1), "海平面气压");
        dialog.TypeCombo()->setCurrentIndex(type);
        dialog.LevelCombo()->setCurrentIndex(level);
        QCOMPARE(dialog.LevelCombo()->isEnabled(), levelsEnabled);
        QCOMPARE(QString::fromStdString(dialog.CurrentFolder()),
                 QString::fromStdString(root.Path()) + "/" + folder);
        QCOMPARE(Column(*dialog.List(), 2), times);
    }

    void missingCatalogueOrClassLeavesItEmpty_data() {
        QTest::addColumn<bool>("catalogue");
        QTest::addColumn<int>("classNumber");
        QTest::newRow("no nwp.txt") << false << 1;
        QTest::newRow("class not in it") << true << 5;
        QTest::newRow("class without types") << true << 2;
    }

    void missingCatalogueOrClassLeavesItEmpty() {
        QFETCH(bool, catalogue);
        QFETCH(int, classNumber);
        CTempDir root;
        if (catalogue) {
            WriteCatalogue(root);
        }
        CMessageRecorder recorder;
        CScopedMessageSink sink(&recorder);
        CNwpSelectDlg dialog(root.Path(), classNumber);
        QVERIFY(!dialog.TypeCombo()->isEnabled());
        QVERIFY(!dialog.LevelCombo()->isEnabled());
        QCOMPARE(dialog.List()->topLevelItemCount(), 0);
        QVERIFY(recorder.Messages().empty());
    }

    void doubleClickTicksAndUnticks() {
        CTempDir root;
        WriteCatalogue(root);
        CNwpSelectDlg dialog(root.Path(), 1);
        dialog.LevelCombo()->setCurrentIndex(0);
        QTreeWidgetItem* second = dialog.List()->topLevelItem(1);
        const QImage no = second->icon(0).pixmap(16).toImage();
        emit dialog.List()->itemDoubleClicked(second, 2);
        QCOMPARE(Column(*dialog.List(), 0), QStringList({"否", "是"}));
        QVERIFY(second->icon(0).pixmap(16).toImage() != no);
        emit dialog.List()->itemDoubleClicked(second, 0);
        QCOMPARE(Column(*dialog.List(), 0), QStringList({"否", "否"}));
        QVERIFY(dialog.SelectedPaths().empty());
    }

    // OK adds one overlay per ticked row in row order, a file gone by then
    // too; cancel adds none. Either way the picture is composed.
    void selectionAddsOverlays_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("secondGone");
        QTest::addColumn<std::vector<bool>>("read");
        QTest::newRow("two rows") << true << false << std::vector<bool>{true, true};
        QTest::newRow("second file gone") << true << true << std::vector<bool>{true, false};
        QTest::newRow("cancel") << false << false << std::vector<bool>{};
    }

    void selectionAddsOverlays() {
        QFETCH(bool, accept);
        QFETCH(bool, secondGone);
        QFETCH(std::vector<bool>, read);
        CTempDir root;
        WriteCatalogue(root);
        CTestApp t;
        t.settings.SetString("PARAM FILE", "Nwp Root", root.Path());
        OpenBareProduct(t, root);
        std::vector<std::string> rows;
        t.answers.modalScript = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CNwpSelectDlg&>(d);
            dialog.LevelCombo()->setCurrentIndex(0);
            dialog.ToggleRow(1);  // ticked out of order
            dialog.ToggleRow(0);
            for (const NwpFileRow& row : dialog.Rows()) {
                rows.push_back(row.path);
            }
            if (secondGone) {
                std::filesystem::remove(rows[1]);
            }
            accept ? dialog.accept() : dialog.reject();
        };
        const int composed = t.View().ComposeCount();
        QVERIFY(t.Execute(kIdNwpClassFirst));
        QCOMPARE(t.View().ComposeCount(), composed + 1);
        QCOMPARE(t.View().Job().Overlays().size(), read.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            QCOMPARE(t.View().Job().Overlays()[i].FilePath(), read[i] ? rows[i] : std::string());
        }
        // The list stays with the view when another product opens.
        QVERIFY(t.App().OpenDocumentFile(root.File("FY2G_LCN_IR1_202203311300.AWX")));
        QCOMPARE(t.View().Job().Overlays().size(), read.size());
    }

    void classMenuTexts_data() {
        QTest::addColumn<bool>("catalogue");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");  // greyed when nwp.txt does not define the class
        QTest::newRow("class 1 titled") << true << 32793 << "高空形势(&1)" << true;
        QTest::newRow("class 2 titled") << true << 32794 << "地面(&2)" << true;
        QTest::newRow("class 6 not in it") << true << 32798 << "第6类资料(&6)" << false;
        QTest::newRow("no catalogue") << false << 32793 << "第1类资料(&1)" << false;
    }

    void classMenuTexts() {
        QFETCH(bool, catalogue);
        QFETCH(int, id);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        CTempDir root;
        if (catalogue) {
            WriteCatalogue(root);
        }
        CTestApp t;
        t.settings.SetString("PARAM FILE", "Nwp Root", root.Path());
        QCOMPARE(QString::fromStdString(t.Update(id).text.value_or("")), text);
        QCOMPARE(t.Update(id).enabled, enabled);
    }

    // Each step of the manager as the line and the picture show it at once.
    void managerShowsHidesAndDeletes() {
        CTempDir dir;
        CTestApp t;
        OpenBareProduct(t, dir);
        QCOMPARE(t.View().AddNwpOverlays({WriteCrossingField(dir)}), 1);
        t.View().Compose();
        QVERIFY(PixelsOf(t, kBlue) > 100);
        const QString name = "22年03月30日20时500hPa高度";
        t.answers.modalScript = [&](QDialog& d) {
            auto& manager = dynamic_cast<CNwpManagerDlg&>(d);
            QListWidget& list = *manager.List();
            QCOMPARE(list.item(0)->foreground().color(), ToQColor(kBlue));
            for (bool shown : {false, true, false, true}) {
                emit list.itemDoubleClicked(list.item(0));
                manager.ApplyButton()->click();
                QCOMPARE(list.item(0)->text(), (shown ? "√（显示） " : "ㄨ（隐藏） ") + name);
                QCOMPARE(PixelsOf(t, kBlue) > 100, shown);
            }
            list.setCurrentRow(0);
            manager.DeleteButton()->click();
            QCOMPARE(list.count(), 0);
            QCOMPARE(PixelsOf(t, kBlue), 0);
        };
        QVERIFY(t.Execute(kIdNwpManager));
        QVERIFY(t.View().Job().Overlays().empty());
    }

    void managerClosedWithoutApplyStillShowsTheChange() {
        CTempDir dir;
        CTestApp t;
        OpenBareProduct(t, dir);
        t.View().AddNwpOverlays({WriteCrossingField(dir)});
        t.View().Compose();
        t.answers.modalScript = [](QDialog& d) { dynamic_cast<CNwpManagerDlg&>(d).OnToggle(0); };
        t.Execute(kIdNwpManager);
        QCOMPARE(t.View().Job().Overlays().size(), std::size_t{1});
        QCOMPARE(PixelsOf(t, kBlue), 0);
    }

    void colourCoupling_data() {
        QTest::addColumn<bool>("same");
        QTest::addColumn<bool>("lineButton");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<uint>("line");
        QTest::addColumn<uint>("label");
        QTest::newRow("ticked, line") << true << true << true << uint(kRed) << uint(kRed);
        QTest::newRow("ticked, label") << true << false << true << uint(kRed) << uint(kRed);
        QTest::newRow("cleared, line") << false << true << true << uint(kRed) << uint(kGreen);
        QTest::newRow("cleared, label") << false << false << true << uint(kBlue) << uint(kRed);
        QTest::newRow("chooser cancelled") << true << true << false << uint(kBlue) << uint(kGreen);
    }

    void colourCoupling() {
        QFETCH(bool, same);
        QFETCH(bool, lineButton);
        QFETCH(bool, chosen);
        QFETCH(uint, line);
        QFETCH(uint, label);
        NwpSettings current;
        current.lineColour = kBlue;
        current.labelColour = kGreen;
        std::vector<std::uint32_t> starts;
        CNwpSettingsDlg dialog(NwpSettings(), current, [&](std::uint32_t start) {
            starts.push_back(start);
            return chosen ? std::optional<std::uint32_t>(kRed) : std::nullopt;
        });
        QVERIFY(dialog.SameColourBox()->isChecked());  // ticked at every opening
        dialog.SameColourBox()->setChecked(same);
        (lineButton ? dialog.LineColourButton() : dialog.LabelColourButton())->click();
        QCOMPARE(starts, std::vector<std::uint32_t>{lineButton ? kBlue : kGreen});
        NwpSettings written;
        dialog.WriteTo(written);
        QCOMPARE(uint(written.lineColour), line);
        QCOMPARE(uint(written.labelColour), label);
    }

    // "默认" shows the file's interval and the construction defaults; OK
    // writes them, cancel leaves the overlay as it was even after "默认".
    void defaultsThenOkOrCancel_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("ok") << true;
        QTest::newRow("cancel") << false;
    }

    void defaultsThenOkOrCancel() {
        QFETCH(bool, accept);
        CTempDir dir;
        CTestApp t;
        DiamondContent content;
        content.interval = 40.0;
        t.View().AddNwpOverlays({WriteDiamond(dir, "h.000", content)});
        const NwpSettings defaults = t.View().Job().Overlays()[0].CurrentSettings();
        NwpSettings edited = defaults;
        edited.labelHeight = 30;
        edited.labelDecimals = 0;
        edited.interval = 80.0f;
        edited.lineStyle = kPenDot;
        edited.lineColour = edited.labelColour = kRed;
        t.View().Job().Overlays()[0].CurrentSettings() = edited;
        t.answers.modalScript = [&](QDialog& d) {
            if (auto* manager = qobject_cast<CNwpManagerDlg*>(&d)) {
                manager->List()->setCurrentRow(0);
                manager->SettingsButton()->click();
                return;
            }
            auto& settings = dynamic_cast<CNwpSettingsDlg&>(d);
            QCOMPARE(settings.IntervalEdit()->text(), "80");
            settings.DefaultButton()->click();
            const QStringList shown = {
                settings.HeightEdit()->text(), settings.DecimalsEdit()->text(),
                settings.IntervalEdit()->text(), settings.StyleList()->currentText()};
            QCOMPARE(shown, QStringList({"16", "1", "40", "实线"}));
            accept ? settings.accept() : settings.reject();
        };
        t.Execute(kIdNwpManager);
        QVERIFY(t.View().Job().Overlays()[0].CurrentSettings() == (accept ? defaults : edited));
    }

    void editsRefused_data() {
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("decimals");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("message");
        QTest::newRow("at the limits") << "200"
                                       << "-4"
                                       << "8e1"
                                       << "";
        QTest::newRow("height not an integer") << "1.5"
                                               << "1"
                                               << "4"
                                               << "请键入一个整数。";
        QTest::newRow("decimals not an integer") << "16"
                                                 << "一"
                                                 << "4"
                                                 << "请键入一个整数。";
        QTest::newRow("interval not a number") << "16"
                                               << "1"
                                               << "4x"
                                               << "请键入一个数。";
        QTest::newRow("height 0") << "0"
                                  << "1"
                                  << "4"
                                  << "请填入一个在1和200之间的整数。";
        QTest::newRow("height 201") << "201"
                                    << "1"
                                    << "4"
                                    << "请填入一个在1和200之间的整数。";
        QTest::newRow("decimals -5") << "16"
                                     << "-5"
                                     << "4"
                                     << "注释字保留位数不能小于-4。";
        QTest::newRow("interval 0") << "16"
                                    << "1"
                                    << "0"
                                    << "等值线间隔必须是大于0的数。";
        QTest::newRow("interval infinite") << "16"
                                           << "1"
                                           << "1e39"
                                           << "等值线间隔必须是大于0的数。";
    }

    void editsRefused() {
        QFETCH(QString, height);
        QFETCH(QString, decimals);
        QFETCH(QString, interval);
        QFETCH(QString, message);
        CMessageRecorder recorder;
        CScopedMessageSink sink(&recorder);
        const NwpSettings start;
        CNwpSettingsDlg dialog(start, start, {});
        dialog.HeightEdit()->setText(height);
        dialog.DecimalsEdit()->setText(decimals);
        dialog.IntervalEdit()->setText(interval);
        dialog.accept();
        const bool accepted = message.isEmpty();
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        QCOMPARE(recorder.Messages(), accepted ? std::vector<std::string>{}
                                               : std::vector<std::string>{message.toStdString()});
        NwpSettings written = start;
        dialog.WriteTo(written);
        QCOMPARE(written.interval, accepted ? 80.0f : start.interval);
    }
};

QTEST_MAIN(TestNwpDialogs)
#include "test_nwp_dialogs.moc"
