// The desktop's exports: 文件 → "导出GeoTIFF..." offers the product's own
// name in its folder and writes the GeoTIFF; the animation pane's
// "导出NetCDF..." writes the loaded frames as one NetCDF file; a cancelled
// dialog writes nothing.

#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "browse/CatalogueListing.h"
#include "dialogs/CMovieDlg.h"
#include "export/ExportModule.h"
#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

// The first bytes of what was written: "II*" for a little-endian TIFF,
// "\x89HDF" for NetCDF-4.
std::string Head(const std::string& path, std::size_t n) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.begin() + std::min(n, bytes.size()));
}

}  // namespace

class TestExportCommands : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!ExportModuleBuilt()) {
            QSKIP("built without GDAL: the exports say so instead");
        }
    }

    void geoTiffOfTheOpenProduct() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(!t.Update(kIdExportGeoTiff).enabled);
        const std::string product = dir.File("FY2G_LCN_IR1_a.AWX");
        QVERIFY(WriteTestProduct(product));
        QVERIFY(t.App().OpenDocumentFile(product));
        QVERIFY(t.Update(kIdExportGeoTiff).enabled);

        t.answers.savePath.reset();
        QVERIFY(t.Execute(kIdExportGeoTiff));
        QVERIFY(t.Messages().empty());
        const FileDialogRequest& asked = t.answers.fileRequests.back();
        QCOMPARE(asked.directory, dir.Path());
        QCOMPARE(asked.initialName, std::string("FY2G_LCN_IR1_a.tif"));

        t.answers.savePath = dir.File("values");
        QVERIFY(t.Execute(kIdExportGeoTiff));
        QCOMPARE(Head(dir.File("values.tif"), 3), std::string("II*"));
        QCOMPARE(int(t.Messages().size()), 1);
        QVERIFY(t.Messages()[0].find("values.tif") != std::string::npos);
    }

    void netCdfOfTheLoadedFrames() {
        CTestApp t;
        CTempDir dir;
        for (int hour : {11, 10, 12}) {
            AwxWriterOptions options;
            options.width = 160;
            options.height = 64;
            options.hour = hour;
            QVERIFY(WriteAwxProduct(dir.File("FY2G_LCN_IR1_" + std::to_string(hour) + ".AWX"),
                                    options));
        }
        CMovieDlg& movie = t.Frame().Movie();
        QVERIFY(!movie.m_exportNetCdf.isEnabled());
        movie.m_listDlg.m_entries = ListFrameEntries(dir.Path(), "LCN", 1);
        movie.m_listDlg.RefreshList();
        movie.m_check24.click();
        movie.m_animate.click();
        QVERIFY(movie.m_exportNetCdf.isEnabled());

        t.answers.savePath = dir.File("loop");
        movie.m_exportNetCdf.click();
        QCOMPARE(Head(dir.File("loop.nc"), 4), std::string("\x89HDF"));
        QCOMPARE(int(t.Messages().size()), 1);
        QVERIFY(t.Messages()[0].find("loop.nc") != std::string::npos);

        t.answers.savePath.reset();
        movie.m_exportNetCdf.click();
        QCOMPARE(int(t.Messages().size()), 1);
        movie.m_animate.click();
        QVERIFY(!movie.m_exportNetCdf.isEnabled());
    }
};

QTEST_MAIN(TestExportCommands)
#include "test_export_commands.moc"
