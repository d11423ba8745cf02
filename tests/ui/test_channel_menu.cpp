// The "通道组合" menu as the forecaster uses it: the recipes listed by name,
// a difference or composite of the open product's observation on screen
// with its read-out, "返回原图" back to the channel, the missing channel
// named; and the picture is the one kelvra-cli render makes.

#include <QImage>
#include <QProcess>
#include <QtTest>

#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

// The open infrared-1 file of an observation of 160 x 120 with the other
// channels given beside it.
std::string WriteObservation(const CTempDir& dir, std::initializer_list<int> channels) {
    const char* names[] = {"", "IR1", "IR2", "WV", "IR3", "VIS"};
    for (int channel : channels) {
        AwxWriterOptions options;
        options.width = 160;
        options.height = 120;
        options.channel = channel;
        WriteAwxProduct(dir.File(std::string("FY2G_LCN_") + names[channel] + "_202203311300.AWX"),
                        options);
    }
    return dir.File("FY2G_LCN_IR1_202203311300.AWX");
}

// The command of the recipe slot the menu names text; 0 when none does.
int RecipeCommand(CTestApp& t, const std::string& text) {
    for (int id = kIdRgbRecipeFirst; id <= kIdRgbRecipeLast; ++id) {
        if (t.Update(id).text.value_or("") == text) {
            return id;
        }
    }
    return 0;
}

}  // namespace

class TestChannelMenu : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("KELVRA_DATA", KELVRA_SOURCE_DIR "/dat"); }

    void menuNamesTheShippedRecipesAndHidesSpareSlots() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(t.App().OpenDocumentFile(WriteObservation(dir, {1})));
        QStringList names;
        for (int id = kIdRgbRecipeFirst; id <= kIdRgbRecipeLast; ++id) {
            const CCmdUI ui = t.Update(id);
            QVERIFY(ui.text.has_value());
            if (!ui.text->empty()) {
                names << QString::fromStdString(*ui.text);
                QVERIFY(ui.enabled);
            }
        }
        QCOMPARE(names, QStringList({"强对流", "白天自然色", "夜间雾与低云"}));
    }

    void picturesAreTheCommandLines_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("readout");
        QTest::newRow("split window") << ""
                                      << "--difference split"
                                      << "差值";
        QTest::newRow("water vapour") << "水汽"
                                      << "--difference wv"
                                      << "水汽";
        QTest::newRow("night fog") << "夜间雾与低云"
                                   << "--rgb night-fog"
                                   << "红外三";
        QTest::newRow("convection") << "强对流"
                                    << "--rgb convection"
                                    << "可见光";
    }

    void picturesAreTheCommandLines() {
        QFETCH(QString, item);
        QFETCH(QString, options);
        QFETCH(QString, readout);
        CTestApp t;
        CTempDir dir;
        const std::string path = WriteObservation(dir, {1, 2, 3, 4, 5});
        t.View().Job().Layers().m_bTitle = 0;
        QVERIFY(t.App().OpenDocumentFile(path));
        const QImage channel = t.View().OffscreenPicture().copy();
        const int id = item.isEmpty()                   ? kIdSplitWindow
                       : item == QStringLiteral("水汽") ? kIdWaterVapourDifference
                                                        : RecipeCommand(t, item.toStdString());
        QVERIFY(id != 0);
        QVERIFY(t.Execute(id));
        QVERIFY2(t.Messages().empty(), t.Messages().empty() ? "" : t.Messages()[0].c_str());
        QCOMPARE(t.View().CombinationShown(), id);
        QVERIFY(t.Update(id).checked);
        const QImage shown = t.View().OffscreenPicture().convertToFormat(QImage::Format_RGB32);
        QVERIFY(shown != channel.convertToFormat(QImage::Format_RGB32));
        QVERIFY(QString::fromStdString(t.View().ReadoutAt(QPoint(10, 10))).contains(readout));

        const QString out = QString::fromStdString(dir.File("cli.bmp"));
        QProcess cli;
        cli.start(KELVRA_CLI,
                  QStringList{"render", QString::fromStdString(path), "-o", out, "--no-title"}
                      << options.split(' '));
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        QCOMPARE(QImage(out).convertToFormat(QImage::Format_RGB32), shown);

        QVERIFY(t.Execute(kIdRestoreFirst));
        QCOMPARE(t.View().CombinationShown(), 0);
        QCOMPARE(t.View().OffscreenPicture().convertToFormat(QImage::Format_RGB32),
                 channel.convertToFormat(QImage::Format_RGB32));
    }

    void missingChannelIsNamedAndNothingChanges() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(t.App().OpenDocumentFile(WriteObservation(dir, {1, 3})));
        const QImage before = t.View().OffscreenPicture().copy();
        QVERIFY(t.Execute(kIdSplitWindow));
        QCOMPARE(t.Messages().size(), std::size_t{1});
        QVERIFY(QString::fromStdString(t.Messages()[0]).contains("红外二"));
        QCOMPARE(t.View().CombinationShown(), 0);
        QCOMPARE(t.View().OffscreenPicture(), before);
    }
};

QTEST_MAIN(TestChannelMenu)
#include "test_channel_menu.moc"
