// The document: opening products and images, every image command's
// success and failure, the way back to the loaded image, saving the
// composed picture, the animation frames.

#include <QtTest>
#include <filesystem>

#include "render/DibQImage.h"
#include "synth/AwxWriter.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

constexpr const char* kOpenFailed = "打开文档失败。";
constexpr std::size_t kCategoryAt = 26;
constexpr std::size_t kWidthAt = 40 + 22;

std::vector<std::string> Msgs(std::initializer_list<const char*> texts) {
    return std::vector<std::string>(texts.begin(), texts.end());
}

struct OpenedProduct {
    CTempDir dir;
    std::string path = dir.File("FY2G_LCN_IR1_202203311300.AWX");
};

// Writes a small grey BMP into dir, opens it in the document and forgets the
// messages of the open (the product message a BMP always gives).
bool OpenTestBmp(CTestApp& t, const CTempDir& dir) {
    if (!WriteTestBmp(dir.File("a.bmp")) || !t.App().OpenDocumentFile(dir.File("a.bmp"))) {
        return false;
    }
    t.ClearMessages();
    return true;
}

}  // namespace

class TestDocument : public QObject {
    Q_OBJECT

private slots:
    void openAwxShowsTheProduct() {
        CTestApp t;
        OpenedProduct p;
        QVERIFY(WriteTestProduct(p.path));
        QVERIFY(t.App().OpenDocumentFile(p.path));
        QVERIFY(t.Messages().empty());
        QCOMPARE(t.Doc().Product().productLoaded, 1);
        QVERIFY(!t.Doc().RecomposeRequested());  // the view rebuilt its picture
        QCOMPARE(t.View().OffscreenPicture().size(), QSize(120, 90));
        QVERIFY(!t.Doc().IsModified());
        QCOMPARE(t.App().RecentFiles().Paths().front(), p.path);
    }

    void openBmpReportsTheMissingDescriptionThenShows() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestBmp(dir.File("a.bmp")));
        QVERIFY(t.App().OpenDocumentFile(dir.File("a.bmp")));
        // A plain picture carries no description and is not said to lack one.
        QCOMPARE(t.Messages(), Msgs({}));
        QCOMPARE(t.Doc().Product().productLoaded, 0);
        QCOMPARE(t.View().OffscreenPicture().size(), QSize(64, 48));
    }

    void imageCommands_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("changes");
        QTest::newRow("brightness 50") << kIdBrightness << 50 << true;
        QTest::newRow("brightness 100") << kIdBrightness << 100 << false;
        QTest::newRow("contrast 150") << kIdContrast << 150 << true;
        QTest::newRow("negate") << kIdNegate << 0 << true;
        QTest::newRow("stretch") << kIdHistogramStretch << 0 << true;
        QTest::newRow("blur") << kIdBlur << 0 << true;
        QTest::newRow("sharpen") << kIdSharpen << 0 << true;
        QTest::newRow("median") << kIdMedian << 0 << true;
        QTest::newRow("mean") << kIdMean << 0 << true;
        QTest::newRow("noise 30") << kIdNoise << 30 << true;
        QTest::newRow("emboss") << kIdEmboss << 0 << true;
        QTest::newRow("edges") << kIdEdgeDetect << 0 << true;
    }

    void imageCommands() {
        QFETCH(int, command);
        QFETCH(int, percent);
        QFETCH(bool, changes);
        CTestApp t;
        CTempDir dir;
        QVERIFY(OpenTestBmp(t, dir));
        const std::vector<std::uint8_t> before = t.Doc().Image().Block();
        const int composed = t.View().ComposeCount();
        t.Doc().SetModifiedFlag(true);
        t.answers.percent = percent;
        QVERIFY(t.Execute(command));
        QVERIFY(t.Messages().empty());
        QCOMPARE(t.Doc().Image().Block() != before, changes);
        QCOMPARE(t.View().ComposeCount(), composed + 1);
        QVERIFY(!t.Doc().IsModified());
    }

    void percentDialogTitles_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("brightness") << kIdBrightness << "调整亮度"
                                    << "亮度(%)：";
        QTest::newRow("contrast") << kIdContrast << "调整对比度"
                                  << "对比度(%)：";
        QTest::newRow("noise") << kIdNoise << "增加噪声"
                               << "噪声(%)：";
    }

    void percentDialogTitles() {
        QFETCH(int, command);
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        CTestApp t;
        CTempDir dir;
        QVERIFY(OpenTestBmp(t, dir));
        const std::vector<std::uint8_t> before = t.Doc().Image().Block();
        t.answers.percent.reset();  // cancelled
        const int composed = t.View().ComposeCount();
        t.Execute(command);
        QCOMPARE(t.answers.askedPercentTitles, std::vector<std::string>{title.toStdString()});
        QCOMPARE(t.answers.askedPercentPrompts, std::vector<std::string>{prompt.toStdString()});
        QVERIFY(t.Doc().Image().Block() == before);
        QCOMPARE(t.View().ComposeCount(), composed);
        QVERIFY(t.Messages().empty());
    }

    // With no image every operation fails and shows its own text.
    void failures_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("message");
        QTest::newRow("brightness") << kIdBrightness << 50 << "调整亮度失败";
        QTest::newRow("contrast") << kIdContrast << 50 << "调整对比度失败";
        QTest::newRow("negate") << kIdNegate << 0 << "反色失败";
        QTest::newRow("stretch") << kIdHistogramStretch << 0 << "快速线性增强失败";
        QTest::newRow("restore") << kIdRestoreFirst << 0 << "返回原图失败";
        QTest::newRow("blur") << kIdBlur << 0 << "图像模糊失败";
        QTest::newRow("sharpen") << kIdSharpen << 0 << "图像锐化失败";
        QTest::newRow("median") << kIdMedian << 0 << "中值平滑失败";
        QTest::newRow("mean") << kIdMean << 0 << "均值平滑失败";
        QTest::newRow("noise") << kIdNoise << 30 << "增加噪声失败";
        QTest::newRow("emboss") << kIdEmboss << 0 << "浮雕效果失败";
        QTest::newRow("edges") << kIdEdgeDetect << 0 << "边缘检测失败";
    }

    void failures() {
        QFETCH(int, command);
        QFETCH(int, percent);
        QFETCH(QString, message);
        CTestApp t;
        t.answers.percent = percent;
        QVERIFY(!t.Doc().RunImageCommand(command));
        QCOMPARE(t.Messages(), std::vector<std::string>{message.toStdString()});
    }

    void noiseOutOfRangeFails_data() {
        QTest::addColumn<int>("percent");
        QTest::newRow("0") << 0;
        QTest::newRow("101") << 101;
        QTest::newRow("500") << 500;
    }

    void noiseOutOfRangeFails() {
        QFETCH(int, percent);
        CTestApp t;
        CTempDir dir;
        QVERIFY(OpenTestBmp(t, dir));
        const std::vector<std::uint8_t> before = t.Doc().Image().Block();
        t.answers.percent = percent;
        QVERIFY(!t.Doc().RunImageCommand(kIdNoise));
        QCOMPARE(t.Messages(), Msgs({"增加噪声失败"}));
        QVERIFY(t.Doc().Image().Block() == before);
    }

    void restoreAfterSeveralOperations() {
        CTestApp t;
        OpenedProduct p;
        QVERIFY(WriteTestProduct(p.path));
        QVERIFY(t.App().OpenDocumentFile(p.path));
        const std::vector<std::uint8_t> loaded = t.Doc().Image().Block();
        t.answers.percent = 40;
        for (int id : {kIdBrightness, kIdNegate, kIdBlur, kIdMedian, kIdNoise, kIdEdgeDetect}) {
            QVERIFY(t.Execute(id));
        }
        QVERIFY(t.Doc().Image().Block() != loaded);
        QVERIFY(t.Execute(kIdRestoreFirst));
        QVERIFY(t.Doc().Image().Block() == loaded);
        t.Execute(kIdNegate);
        QVERIFY(t.Execute(kIdRestoreFirst));  // any number of times
        QVERIFY(t.Doc().Image().Block() == loaded);
        QVERIFY(t.Messages().empty());
    }

    void eightBitOnlyCommandsGreyedForJpeg() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestJpeg(dir.File("c.jpg")));
        QVERIFY(t.App().OpenDocumentFile(dir.File("c.jpg")));
        QCOMPARE(t.Doc().Image().BitsPerPixel(), 24);
        QVERIFY(!t.Update(kIdHistogramStretch).enabled);
        QVERIFY(!t.Update(kIdRestoreFirst).enabled);
        QVERIFY(t.Update(kIdNegate).enabled);
        QVERIFY(WriteTestBmp(dir.File("a.bmp")));
        QVERIFY(t.App().OpenDocumentFile(dir.File("a.bmp")));
        QVERIFY(t.Update(kIdHistogramStretch).enabled);
        QVERIFY(t.Update(kIdRestoreFirst).enabled);
    }

    void saveWithTheProductNameFails() {
        CTestApp t;
        OpenedProduct p;
        QVERIFY(WriteTestProduct(p.path));
        QVERIFY(t.App().OpenDocumentFile(p.path));
        const std::vector<std::uint8_t> original = ReadFileBytes(p.path);
        // The dialog proposes a picture beside the product, never the product.
        t.answers.savePath = p.path;
        t.Execute(kIdFileSaveAs);
        QCOMPARE(t.answers.fileRequests.back().initialName,
                 p.dir.File("FY2G_LCN_IR1_202203311300.bmp"));
        QCOMPARE(t.Messages(), Msgs({"保存文档失败。"}));
        QVERIFY(ReadFileBytes(p.path) == original);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(p.dir.Path()),
                               std::filesystem::directory_iterator()),
                 1);
    }

    void saveTheOpenedImageFileIsRefused() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(OpenTestBmp(t, dir));
        const std::vector<std::uint8_t> original = ReadFileBytes(dir.File("a.bmp"));
        t.Execute(kIdNegate);
        t.answers.savePath = dir.File("a.bmp");
        t.Execute(kIdFileSaveAs);
        QCOMPARE(t.Messages(), Msgs({"保存文档失败。"}));
        QVERIFY(ReadFileBytes(dir.File("a.bmp")) == original);
    }

    void saveTheComposedPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("bmp") << "out.bmp";
        QTest::newRow("tga") << "out.tga";
        QTest::newRow("jpeg") << "out.jpg";
    }

    void saveTheComposedPicture() {
        QFETCH(QString, name);
        CTestApp t;
        OpenedProduct p;
        QVERIFY(WriteTestProduct(p.path));
        QVERIFY(t.App().OpenDocumentFile(p.path));
        const std::string target = p.dir.File(name.toStdString());
        QVERIFY(WriteFileBytes(target, {1, 2, 3}));  // an existing file is replaced
        t.answers.savePath = target;
        t.Execute(kIdFileSaveAs);
        QCOMPARE(t.Messages(), Msgs({}));  // a save that succeeds says nothing
        CDibImage saved;
        QVERIFY(saved.Load(target));
        QCOMPARE(saved.BitsPerPixel(), 24);
        QCOMPARE(saved.Width(), 120);
        if (!name.endsWith(".jpg")) {
            QCOMPARE(ToDeviceBitmap(saved), t.View().OffscreenPicture());
        }
    }

    void saveCancelledDoesNothing() {
        CTestApp t;
        t.answers.savePath.reset();
        t.Execute(kIdFileSaveAs);
        QVERIFY(t.Messages().empty());
        QCOMPARE(t.answers.fileRequests.size(), std::size_t(1));
        QVERIFY(
            t.answers.fileRequests[0].filter.starts_with("位图文件 (*.bmp;*.dib)|*.bmp;*.dib|"));
    }

    void fileOpenCommandUsesTheProductFilter() {
        CTestApp t;
        OpenedProduct p;
        QVERIFY(WriteTestProduct(p.path));
        t.answers.openPath = p.path;
        QVERIFY(t.Execute(kIdFileOpen));
        QVERIFY(t.answers.fileRequests.back().filter.starts_with("投影文件 (*.awx)|*.awx|"));
        QCOMPARE(t.Doc().PathName(), p.path);
        QCOMPARE(t.Doc().Product().productLoaded, 1);
    }

    // A file that cannot be opened changes nothing: picture, product, title
    // and recent-file list stay exactly as they were, after the messages.
    void failedOpenLeavesEverythingAsItWas_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        // One box a failure: the system's text, then on a second line the
        // file and why.
        QTest::addColumn<QString>("reason");
        AwxWriterOptions options;
        const std::vector<std::uint8_t> product = MakeAwxProduct(options);
        const QByteArray whole(reinterpret_cast<const char*>(product.data()),
                               static_cast<qsizetype>(product.size()));
        QTest::newRow("truncated product")
            << "FY2G_LCN_IR1_202203311400.AWX" << whole.left(whole.size() / 2)
            << QString("文件太短：%1 字节，图像数据需要 %2 字节")
                   .arg(whole.size() / 2)
                   .arg(whole.size());
        QTest::newRow("foreign file named .awx")
            << "notes.awx" << QByteArray(64, 'x') << "不是 AWX 文件头";
        QTest::newRow("shorter than a header")
            << "short.awx" << QByteArray("SAT") << "文件太短：3 字节，AWX 文件头需要 40 字节";
        QByteArray category = whole;
        category[static_cast<qsizetype>(kCategoryAt)] = 2;
        QTest::newRow("category 2")
            << "c2.awx" << category << "产品类别 2 不能读取（只读 1 静止卫星图像和 3 格点产品）";
        QByteArray wide = whole;
        wide[static_cast<qsizetype>(kWidthAt)] = char(9000 & 0xFF);
        wide[static_cast<qsizetype>(kWidthAt) + 1] = char(9000 >> 8);
        QTest::newRow("too wide")
            << "wide.awx" << wide
            << QString("图像大小 9000×%1 超出限制（每边 1 至 8192）").arg(options.height);
        QTest::newRow("broken JPEG")
            << "c.jpg" << QByteArray("\xff\xd8 no more") << "不是能读取的 BMP、JPEG 或 TGA 图像";
        // The product in it reads, but a picture of that name does not.
        QTest::newRow("product under an unknown extension")
            << "p.png" << whole << "不是能读取的 BMP、JPEG 或 TGA 图像";
        QTest::newRow("missing file") << "" << QByteArray() << "文件不存在或不能读取";
    }

    void failedOpenLeavesEverythingAsItWas() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestBmp(dir.File("a.bmp")));
        QVERIFY(t.App().OpenDocumentFile(dir.File("a.bmp")));
        const std::string good = dir.File("FY2G_LCN_IR1_202203311300.AWX");
        QVERIFY(WriteTestProduct(good));
        QVERIFY(t.App().OpenDocumentFile(good));
        t.ClearMessages();
        const QString title = t.Frame().windowTitle();
        const std::vector<std::string> recent = t.App().RecentFiles().Paths();
        const QImage picture = t.View().OffscreenPicture().copy();
        const std::vector<std::uint8_t> block = t.Doc().Image().Block();

        const std::string bad = dir.File(name.isEmpty() ? "missing.awx" : name.toStdString());
        if (!name.isEmpty()) {
            QVERIFY(WriteFileBytes(bad, std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
        }
        QVERIFY(!t.App().OpenDocumentFile(bad));
        QCOMPARE(
            t.Messages(),
            Msgs({(std::string(kOpenFailed) + "\n" + bad + "：" + reason.toStdString()).c_str()}));
        QCOMPARE(t.Frame().windowTitle(), title);
        QCOMPARE(t.App().RecentFiles().Paths(), recent);
        QCOMPARE(t.Doc().PathName(), good);
        QCOMPARE(t.Doc().Product().productLoaded, 1);
        QVERIFY(t.Doc().Image().Block() == block);
        // The next composition still draws the map, grid and title.
        t.Doc().RequestRecompose();
        t.View().Compose();
        QCOMPARE(t.View().OffscreenPicture(), picture);
        // "返回原图" still returns to the picture as it was loaded.
        t.Execute(kIdNegate);
        QVERIFY(t.Execute(kIdRestoreFirst));
        QVERIFY(t.Doc().Image().Block() == block);
    }

    // The open dialog starts where the last product came from.
    void openDialogStartsInTheLastProductsFolder() {
        CTestApp t;
        OpenedProduct p;
        t.Execute(kIdFileOpen);
        QCOMPARE(t.answers.fileRequests.back().directory, std::string());
        QVERIFY(WriteTestProduct(p.path));
        QVERIFY(t.App().OpenDocumentFile(p.path));
        t.Execute(kIdFileOpen);
        QCOMPARE(t.answers.fileRequests.back().directory, p.dir.Path());
        // After "new" the recent-file list still knows it.
        t.Execute(kIdFileNew);
        QCOMPARE(t.Doc().PathName(), std::string());
        t.Execute(kIdFileOpen);
        QCOMPARE(t.answers.fileRequests.back().directory, p.dir.Path());
    }

    void recentFileThatNoLongerOpensLeavesTheList() {
        CTestApp t;
        OpenedProduct p;
        QVERIFY(WriteTestProduct(p.path));
        QVERIFY(t.App().OpenDocumentFile(p.path));
        std::filesystem::remove(p.path);
        QVERIFY(t.Execute(kIdFileMruFirst));
        QCOMPARE(
            t.Messages(),
            Msgs({(std::string(kOpenFailed) + "\n" + p.path + "：文件不存在或不能读取").c_str()}));
        QVERIFY(t.App().RecentFiles().Paths().empty());
    }

    void loadFrames() {
        CTestApp t;
        CTempDir dir;
        QVERIFY(WriteTestProduct(dir.File("a.awx"), 100, 80));
        QVERIFY(WriteTestBmp(dir.File("b.bmp"), 30, 20));
        QVERIFY(WriteTestProduct(dir.File("c.awx"), 60, 40));
        QVERIFY(t.Doc().LoadFrames(
            {dir.File("a.awx"), dir.File("b.bmp"), dir.File("missing.awx"), dir.File("c.awx")}));
        CKelvraDoc& doc = t.Doc();
        QCOMPARE(doc.FrameProducts().size(), std::size_t(4));
        QCOMPARE(doc.FrameImages().size(), std::size_t(4));
        QCOMPARE(doc.FrameProducts()[0].productLoaded, 1);
        QCOMPARE(doc.FrameProducts()[1].productLoaded, 0);
        QCOMPARE(doc.FrameProducts()[2].productLoaded, 0);
        QCOMPARE(doc.FrameImages()[1].Width(), 30);
        QCOMPARE(doc.FrameImages()[2].Width(), 30);  // the image held before
        QCOMPARE(doc.FrameImages()[3].Width(), 60);
        QCOMPARE(doc.FrameProducts()[0].CalibratedImageOwners(), 1L);
        QVERIFY(t.Doc().LoadFrames({}));
        QVERIFY(doc.FrameImages().empty());
    }
};

QTEST_MAIN(TestDocument)
#include "test_document.moc"
