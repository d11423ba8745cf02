// The menu bar: every item's path, text and id as the frame builds it, the
// items greyed because nobody handles them, and the command routing.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "app/CCommandRouter.h"
#include "app/CMenuBarBuilder.h"
#include "ui/CommandIds.h"
#include "ui/support/UiTestSupport.h"

namespace {

// "menu/submenu/item" -> id for every command item of the bar; separators
// appear as "menu/-".
void Collect(QMenu& menu, const QString& prefix, QStringList& out, QMap<QString, int>& ids) {
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            out << prefix + "-";
        } else if (action->menu()) {
            Collect(*action->menu(), prefix + action->text() + "/", out, ids);
        } else {
            out << prefix + action->text();
            ids[prefix + action->text()] = CMenuBarBuilder::CommandId(*action);
        }
    }
}

QAction* FindAction(QMenu& menu, int id) {
    for (QAction* action : menu.actions()) {
        if (action->menu()) {
            if (QAction* found = FindAction(*action->menu(), id)) {
                return found;
            }
        } else if (CMenuBarBuilder::CommandId(*action) == id) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

class TestMenus : public QObject {
    Q_OBJECT

private slots:
    void topLevelMenus() {
        CTestApp t;
        QStringList titles;
        for (QAction* action : t.Frame().menuBar()->actions()) {
            titles << action->text();
        }
        QCOMPARE(titles, QStringList({"文件(&F)", "地理信息(&I)", "显示(&D)", "图像(&E)",
                                      "云图调色(&C)", "应用(&P)", "通道组合(&G)", "对流(&T)",
                                      "叠加(&N)", "查看(&V)", "设置(&S)", "帮助(&H)"}));
    }

    void items_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("id");
        QTest::newRow("open") << "文件(&F)/打开文件" << 57601;
        QTest::newRow("save picture") << "文件(&F)/保存当前图像" << 57604;
        QTest::newRow("export geotiff") << "文件(&F)/导出GeoTIFF..." << 32891;
        QTest::newRow("print") << "文件(&F)/打印" << 57607;
        QTest::newRow("preview") << "文件(&F)/打印预览" << 57609;
        QTest::newRow("print setup") << "文件(&F)/打印设置" << 57606;
        QTest::newRow("recent") << "文件(&F)/最近文件" << 57616;
        QTest::newRow("exit") << "文件(&F)/退出" << 57665;
        QTest::newRow("title") << "地理信息(&I)/文字标题" << 32787;
        QTest::newRow("grid") << "地理信息(&I)/网格" << 32788;
        QTest::newRow("map") << "地理信息(&I)/地图" << 32789;
        QTest::newRow("provinces") << "地理信息(&I)/其它地理信息/中国省界" << 32790;
        QTest::newRow("cities") << "地理信息(&I)/其它地理信息/主要城市" << 32791;
        QTest::newRow("2:1") << "显示(&D)/缩放/放大/2:1" << 32811;
        QTest::newRow("16:1") << "显示(&D)/缩放/放大/16:1" << 32825;
        QTest::newRow("actual") << "显示(&D)/缩放/实际大小" << 32772;
        QTest::newRow("fit") << "显示(&D)/缩放/适合窗口" << 32895;
        QTest::newRow("1:2") << "显示(&D)/缩放/缩小/1:2" << 32826;
        QTest::newRow("1:16") << "显示(&D)/缩放/缩小/1:16" << 32840;
        QTest::newRow("full screen") << "显示(&D)/全屏显示" << 32774;
        QTest::newRow("stretch") << "图像(&E)/快速线性增强" << 32844;
        QTest::newRow("brightness") << "图像(&E)/调整/调整亮度" << 32841;
        QTest::newRow("contrast") << "图像(&E)/调整/调整对比度" << 32842;
        QTest::newRow("negate") << "图像(&E)/调整/反色" << 32843;
        QTest::newRow("blur") << "图像(&E)/滤波/模糊" << 32854;
        QTest::newRow("sharpen") << "图像(&E)/滤波/锐化" << 32856;
        QTest::newRow("median") << "图像(&E)/滤波/中值平滑" << 32857;
        QTest::newRow("mean") << "图像(&E)/滤波/均值平滑" << 32858;
        QTest::newRow("noise") << "图像(&E)/滤波/噪声" << 32859;
        QTest::newRow("despeckle") << "图像(&E)/滤波/去斑" << 32860;
        QTest::newRow("emboss") << "图像(&E)/滤波/浮雕效果" << 32861;
        QTest::newRow("mosaic") << "图像(&E)/滤波/马赛克" << 32862;
        QTest::newRow("edges") << "图像(&E)/滤波/边缘检测" << 32863;
        QTest::newRow("restore") << "图像(&E)/返回原图" << 32803;
        QTest::newRow("gray1") << "云图调色(&C)/黑白－1" << 32845;
        QTest::newRow("grayv") << "云图调色(&C)/黑白－水汽" << 32848;
        QTest::newRow("color1") << "云图调色(&C)/彩色－1" << 32849;
        QTest::newRow("colorv") << "云图调色(&C)/彩色－水汽" << 32852;
        QTest::newRow("custom") << "云图调色(&C)/自定义调色板" << 32853;
        QTest::newRow("isotherms") << "应用(&P)/等温线" << 32785;
        QTest::newRow("nwp class 1") << "叠加(&N)/第1类资料(&1)" << 32793;
        QTest::newRow("nwp class 6") << "叠加(&N)/第6类资料(&6)" << 32798;
        QTest::newRow("nwp manager") << "叠加(&N)/叠加管理(&M)..." << 32799;
        QTest::newRow("info") << "查看(&V)/云图信息" << 32801;
        QTest::newRow("toolbar") << "查看(&V)/工具栏(&T)" << 59392;
        QTest::newRow("status bar") << "查看(&V)/状态栏(&S)" << 59393;
        QTest::newRow("catalogue") << "设置(&S)/产品目录设置" << 32804;
        QTest::newRow("help") << "帮助(&H)/帮助主题" << 32807;
        QTest::newRow("about") << "帮助(&H)/关于 kelvra" << 57664;
    }

    void items() {
        QFETCH(QString, path);
        QFETCH(int, id);
        CTestApp t;
        QStringList all;
        QMap<QString, int> ids;
        for (QAction* action : t.Frame().menuBar()->actions()) {
            Collect(*action->menu(), action->text() + "/", all, ids);
        }
        QVERIFY2(ids.contains(path), qPrintable(path));
        QCOMPARE(ids.value(path), id);
    }

    void separatorsAndOrder() {
        CTestApp t;
        QStringList all;
        QMap<QString, int> ids;
        QMenu* file = t.Frame().menuBar()->actions().at(0)->menu();
        Collect(*file, "", all, ids);
        QCOMPARE(all, QStringList({"打开文件", "保存当前图像", "导出GeoTIFF...", "-", "打印",
                                   "打印预览", "打印设置", "-", "最近文件", "-", "退出"}));
        all.clear();
        QMenu* image = t.Frame().menuBar()->actions().at(3)->menu();
        Collect(*image, "", all, ids);
        QCOMPARE(all, QStringList({"快速线性增强", "调整/调整亮度", "调整/调整对比度", "调整/反色",
                                   "滤波/模糊", "滤波/锐化", "滤波/-", "滤波/中值平滑",
                                   "滤波/均值平滑", "滤波/噪声", "滤波/去斑", "滤波/浮雕效果",
                                   "滤波/马赛克", "滤波/-", "滤波/边缘检测", "-", "返回原图"}));
    }

    void enabling_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("cities: no handler") << 32791 << false;
        QTest::newRow("help topics: no handler") << 32807 << false;
        QTest::newRow("despeckle: no handler") << 32860 << false;
        QTest::newRow("mosaic: no handler") << 32862 << false;
        QTest::newRow("recent placeholder") << 57616 << false;
        QTest::newRow("stretch without image") << 32844 << false;
        QTest::newRow("restore without image") << 32803 << false;
        QTest::newRow("open") << 57601 << true;
        QTest::newRow("save picture") << 57604 << true;
        QTest::newRow("exit") << 57665 << true;
        QTest::newRow("grid") << 32788 << true;
        QTest::newRow("zoom 7:1") << 32816 << true;
        QTest::newRow("custom palette") << 32853 << true;
        QTest::newRow("info") << 32801 << true;
        QTest::newRow("about") << 57664 << true;
        QTest::newRow("blur") << 32854 << true;
        QTest::newRow("nwp class 3 without nwp.txt") << 32795 << false;
        QTest::newRow("nwp manager") << 32799 << true;
    }

    void enabling() {
        QFETCH(int, id);
        QFETCH(bool, enabled);
        CTestApp t;
        QCOMPARE(t.Update(id).enabled, enabled);
        // The menu shows the same state once it has been brought up to date.
        QAction* action = nullptr;
        for (QAction* top : t.Frame().menuBar()->actions()) {
            t.Frame().MenuBuilder().UpdateMenu(*top->menu());
            for (QAction* sub : top->menu()->actions()) {
                if (sub->menu()) {
                    t.Frame().MenuBuilder().UpdateMenu(*sub->menu());
                    for (QAction* subsub : sub->menu()->actions()) {
                        if (subsub->menu()) {
                            t.Frame().MenuBuilder().UpdateMenu(*subsub->menu());
                        }
                    }
                }
            }
            action = action ? action : FindAction(*top->menu(), id);
        }
        QVERIFY(action);
        QCOMPARE(action->isEnabled(), enabled);
    }

    void checkMarksFollowMenuShow() {
        CTestApp t;
        QMenu* geo = t.Frame().menuBar()->actions().at(1)->menu();
        QAction* grid = FindAction(*geo, kIdGrid);
        emit geo->aboutToShow();
        QVERIFY(grid->isChecked());
        t.Execute(kIdGrid);
        emit geo->aboutToShow();
        QVERIFY(!grid->isChecked());
    }

    // The chosen palette carries the check mark, and only it.
    void activePaletteIsChecked() {
        CTestApp t;
        QMenu* palettes = t.Frame().menuBar()->actions().at(4)->menu();
        QVERIFY(t.Execute(32849));  // 彩色－1
        emit palettes->aboutToShow();
        for (int id = 32845; id <= 32853; ++id) {
            QCOMPARE(FindAction(*palettes, id)->isChecked(), id == 32849);
        }
    }

    void itemsShowTheirKeys_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("keys");
        QTest::newRow("open") << kIdFileOpen << "Ctrl+O";
        QTest::newRow("print") << kIdFilePrint << "Ctrl+P";
        QTest::newRow("full screen") << kIdFullScreen << "F11";
        QTest::newRow("save picture: none") << kIdFileSaveAs << "";
        QTest::newRow("loop: play or pause") << kIdLoopPlayPause << "Space";
        QTest::newRow("loop: next frame") << kIdLoopNext << "Right";
        QTest::newRow("loop: last frame") << kIdLoopLast << "End";
        QTest::newRow("loop: faster") << kIdLoopFaster << "Ctrl+Up";
    }

    void itemsShowTheirKeys() {
        QFETCH(int, id);
        QFETCH(QString, keys);
        CTestApp t;
        QAction* action = nullptr;
        for (QAction* top : t.Frame().menuBar()->actions()) {
            action = action ? action : FindAction(*top->menu(), id);
        }
        QVERIFY(action);
        QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), keys);
    }

    void recentFilesReplacePlaceholder() {
        CTestApp t;
        t.App().RecentFiles().Add("/data/a.awx");
        t.App().RecentFiles().Add("/data/b&c.awx");
        QMenu* file = t.Frame().menuBar()->actions().at(0)->menu();
        emit file->aboutToShow();
        QStringList texts;
        for (QAction* action : file->actions()) {
            texts << action->text();
        }
        QCOMPARE(texts.mid(8, 3), QStringList({"&1 /data/b&&c.awx", "&2 /data/a.awx", ""}));
        QVERIFY(FindAction(*file, 57617)->isEnabled());
        QCOMPARE(t.settings.GetString("Recent File List", "File1", ""), "/data/b&c.awx");
        QCOMPARE(t.settings.GetString("Recent File List", "File2", ""), "/data/a.awx");
    }

    void routingTakesTheFirstTarget() {
        CCommandTable view;
        CCommandTable doc;
        QStringList ran;
        view.Add(1, [&](int) { ran << "view"; });
        doc.Add(1, [&](int) { ran << "doc"; });
        doc.Add(
            2, [&](int) { ran << "doc2"; }, [](CCmdUI& ui) { ui.SetCheck(); });
        CCommandRouter router;
        router.AddTarget(&view);
        router.AddTarget(&doc);
        QVERIFY(router.Execute(1));
        QVERIFY(router.Execute(2));
        QVERIFY(!router.Execute(3));
        QCOMPARE(ran, QStringList({"view", "doc2"}));
        QVERIFY(router.UpdateCommand(2).checked);
        QVERIFY(router.UpdateCommand(1).enabled);
        QVERIFY(!router.UpdateCommand(3).enabled);
    }

    void documentSaveAcceleratorDoesNothing() {
        CTestApp t;
        QVERIFY(!t.Frame().Router().HasHandler(kIdFileSave));
        QVERIFY(!t.Execute(kIdFileSave));
        QVERIFY(t.Messages().empty());
    }

    void windowTitle() {
        CTestApp t;
        QCOMPARE(t.Frame().windowTitle(), "Kelvra - kelvra");
        CTempDir dir;
        const std::string path = dir.File("FY2G_LCN_IR1_202203311300.AWX");
        QVERIFY(WriteTestProduct(path));
        QVERIFY(t.App().OpenDocumentFile(path));
        QCOMPARE(t.Frame().windowTitle(), "FY2G_LCN_IR1_202203311300.AWX - kelvra");
    }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
