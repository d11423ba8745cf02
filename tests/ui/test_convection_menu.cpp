// The "对流" menu as the forecaster uses it: the cells and cooling layers
// switched on and off over an open product, the table of cells with its
// CSV, and the settings dialog that refuses values that cannot make cells
// and keeps the others in the profile.

#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

#include "dialogs/CCellTableDlg.h"
#include "dialogs/CConvectionSettingsDlg.h"
#include "geo/Projection.h"
#include "support/ConvectionProducts.h"
#include "ui/CanvasColour.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

// A 400 x 300 infrared product at 13:00 with a 200 K disc of 150 km, and the
// same area at 12:00 without it, side by side in one folder. The disc's
// outline is red (coldest 193-203 K); its cooling of 90 K/h is magenta.
std::string WriteLoopPair(const CTempDir& dir) {
    ProjectionParams params;
    SetUpProjection(EqualLatLon, 105.0, 30.0, 0.05, 400, 300, 30.0, 60.0, params);
    AwxWriterOptions options;
    options.centerLon = 105.0;
    options.centerLat = 30.0;
    options.hour = 12;
    WriteTestProduct(dir.File("FY2G_LCN_IR1_202203311200.AWX"), options, TestImage(400, 300));
    TestImage disc(400, 300);
    PaintDisc(disc, params, 104.0, 30.0, 150.0, 200.0);
    options.hour = 13;
    const std::string path = dir.File("FY2G_LCN_IR1_202203311300.AWX");
    WriteTestProduct(path, options, disc);
    return path;
}

// Frame `at` of the loaded loop made current, as an animation step does.
void ShowFrame(CTestApp& t, std::size_t at) {
    QVERIFY(t.Doc().MakeFrameCurrent(static_cast<int>(at)));
    t.View().OnInitialUpdate();
}

void OpenBare(CTestApp& t, const CTempDir& dir) {
    const std::string path = WriteLoopPair(dir);
    t.View().Job().Layers().m_bMap = t.View().Job().Layers().m_bGrid =
        t.View().Job().Layers().m_bTitle = 0;
    QVERIFY(t.App().OpenDocumentFile(path));
}

}  // namespace

class TestConvectionMenu : public QObject {
    Q_OBJECT

private slots:
    void layersFollowTheirSwitches_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<std::uint32_t>("colour");
        QTest::addColumn<int>("fewest");
        // The outline is the disc's boundary; the cooling covers the disc.
        QTest::newRow("cells") << kIdShowCells << CanvasRgb(255, 0, 0) << 100;
        QTest::newRow("cooling") << kIdShowCooling << CanvasRgb(255, 0, 255) << 2000;
    }
    void layersFollowTheirSwitches() {
        QFETCH(int, id);
        QFETCH(std::uint32_t, colour);
        QFETCH(int, fewest);
        CTempDir dir;
        CTestApp t;
        OpenBare(t, dir);
        QCOMPARE(PixelsOf(t, colour), 0);
        QVERIFY(t.Execute(id));
        QVERIFY(t.Update(id).checked);
        QVERIFY(PixelsOf(t, colour) >= fewest);
        QVERIFY(t.Messages().empty());
        QVERIFY(t.Execute(id));
        QCOMPARE(PixelsOf(t, colour), 0);
    }

    // A loop of the disc moving 0.5 degree east an hour: the track's path
    // and label are drawn from the second frame on, and the cooling there
    // is measured against the frame before.
    void loopShowsTracksAndCooling() {
        CTempDir dir;
        ProjectionParams params;
        SetUpProjection(EqualLatLon, 105.0, 30.0, 0.05, 400, 300, 30.0, 60.0, params);
        std::vector<std::string> paths;
        for (int hour = 12; hour < 15; ++hour) {
            AwxWriterOptions options;
            options.centerLon = 105.0;
            options.centerLat = 30.0;
            options.hour = hour;
            TestImage image(400, 300);
            PaintDisc(image, params, 103.0 + 0.5 * (hour - 12), 30.0, 150.0, 200.0);
            paths.push_back(dir.File("FY2G_LCN_IR1_2022033" + std::to_string(hour) + ".AWX"));
            QVERIFY(WriteTestProduct(paths.back(), options, image));
        }
        CTestApp t;
        t.View().Job().Layers().m_bMap = t.View().Job().Layers().m_bGrid =
            t.View().Job().Layers().m_bTitle = 0;
        QVERIFY(t.App().OpenDocumentFile(paths[0]));
        t.Doc().LoadFrames(paths);
        const std::uint32_t track = CanvasRgb(0, 255, 0);
        const std::uint32_t cooling = CanvasRgb(255, 0, 255);
        ShowFrame(t, 0);
        QVERIFY(t.Execute(kIdShowTracks));
        QVERIFY(t.Execute(kIdShowCooling));
        QVERIFY(t.Messages().size() == 1);  // the first frame has none before it
        const int firstTrack = PixelsOf(t, track);
        QCOMPARE(PixelsOf(t, cooling), 0);
        ShowFrame(t, 2);
        QVERIFY(PixelsOf(t, track) > firstTrack);
        QVERIFY(PixelsOf(t, cooling) > 300);
        QCOMPARE(t.View().Job().Convection().Cache().CellSearches(), 3);
        // Stepping back and forth finds nothing again.
        ShowFrame(t, 1);
        ShowFrame(t, 2);
        QCOMPARE(t.View().Job().Convection().Cache().CellSearches(), 3);
    }

    void cellTableCopiesAndSaves() {
        CTempDir dir;
        CTestApp t;
        OpenBare(t, dir);
        t.answers.savePath = dir.File("cells.csv");
        int rows = 0;
        std::string copied;
        t.answers.modalScript = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CCellTableDlg&>(d);
            rows = dialog.Table()->rowCount();
            copied = dialog.CopyText();
            dialog.OnSaveCsv();
        };
        QVERIFY(t.Execute(kIdCellTable));
        QCOMPARE(rows, 1);
        QVERIFY(copied.rfind("编号\t面积(km²)", 0) == 0);
        const std::vector<std::uint8_t> csv = ReadFileBytes(dir.File("cells.csv"));
        const std::string text(csv.begin(), csv.end());
        QVERIFY(text.rfind("\xEF\xBB\xBF编号,面积(km²)", 0) == 0);
        QVERIFY(text.find("\n1,") != std::string::npos);
    }

    void settingsAreCheckedAndKept_data() {
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QString>("shield");
        QTest::addColumn<QString>("minArea");
        QTest::addColumn<QString>("refusal");  // empty: accepted
        QTest::newRow("accepted") << "215"
                                  << "235"
                                  << "500"
                                  << "";
        QTest::newRow("not a number") << "abc"
                                      << "241"
                                      << "2000"
                                      << "请键入一个数。";
        QTest::newRow("too warm") << "400"
                                  << "410"
                                  << "2000"
                                  << "云团阈值";
        QTest::newRow("shield colder") << "221"
                                       << "210"
                                       << "2000"
                                       << "云盾阈值";
        QTest::newRow("negative area") << "221"
                                       << "241"
                                       << "-5"
                                       << "最小面积";
    }
    void settingsAreCheckedAndKept() {
        QFETCH(QString, threshold);
        QFETCH(QString, shield);
        QFETCH(QString, minArea);
        QFETCH(QString, refusal);
        CTestApp t;
        bool stayedOpen = false;
        t.answers.modalScript = [&](QDialog& d) {
            auto& dialog = dynamic_cast<CConvectionSettingsDlg&>(d);
            dialog.ThresholdEdit()->setText(threshold);
            dialog.ShieldEdit()->setText(shield);
            dialog.MinAreaEdit()->setText(minArea);
            dialog.accept();
            stayedOpen = dialog.result() != QDialog::Accepted;
        };
        QVERIFY(t.Execute(kIdConvectionSettings));
        QCOMPARE(stayedOpen, !refusal.isEmpty());
        if (refusal.isEmpty()) {
            QCOMPARE(t.settings.GetString("Convection", "Threshold", ""), threshold.toStdString());
            QCOMPARE(t.View().Job().Convection().Cache().Settings().minAreaKm2, minArea.toDouble());
        } else {
            QCOMPARE(t.Messages().size(), std::size_t{1});
            QVERIFY(QString::fromStdString(t.Messages()[0]).contains(refusal));
            QCOMPARE(t.settings.GetString("Convection", "Threshold", ""), std::string());
        }
    }
};

QTEST_MAIN(TestConvectionMenu)
#include "test_convection_menu.moc"
