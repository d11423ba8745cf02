#include "app/MenuLayout.h"

#include <utility>

#include "ui/CommandIds.h"

namespace {

MenuEntry Item(std::string text, int id) {
    return {MenuEntry::Kind::kItem, std::move(text), id, {}};
}

MenuEntry Separator() {
    return {MenuEntry::Kind::kSeparator, {}, 0, {}};
}

MenuEntry Popup(std::string text, std::vector<MenuEntry> children) {
    return {MenuEntry::Kind::kPopup, std::move(text), 0, std::move(children)};
}

// "最近文件" stands in for the recent-file list until there is one.
MenuEntry RecentFiles() {
    return {MenuEntry::Kind::kRecentFiles, "最近文件", kIdFileMruFirst, {}};
}

std::vector<MenuEntry> ZoomInItems() {
    std::vector<MenuEntry> items;
    for (int id = kIdZoomInFirst; id <= kIdZoomInLast; ++id) {
        items.push_back(Item(std::to_string(id - kZoomInBase) + ":1", id));
    }
    return items;
}

std::vector<MenuEntry> ZoomOutItems() {
    std::vector<MenuEntry> items;
    for (int id = kIdZoomOutFirst; id <= kIdZoomOutLast; ++id) {
        items.push_back(Item("1:" + std::to_string(id - kZoomOutBase), id));
    }
    return items;
}

// The class items show the catalogue's class titles once the menu opens;
// these are the texts without a catalogue.
std::vector<MenuEntry> OverlayItems() {
    std::vector<MenuEntry> items;
    for (int id = kIdNwpClassFirst; id <= kIdNwpClassLast; ++id) {
        const std::string n = std::to_string(id - kIdNwpClassFirst + 1);
        items.push_back(Item("第" + n + "类资料(&" + n + ")", id));
    }
    items.push_back(Separator());
    items.push_back(Item("叠加管理(&M)...", kIdNwpManager));
    return items;
}

// The differences, then a slot per recipe: the view names the slots after
// the recipes found and hides the rest.
std::vector<MenuEntry> ChannelItems() {
    std::vector<MenuEntry> items = {Item("分裂窗差值 (红外一−红外二)", kIdSplitWindow),
                                    Item("水汽−红外一", kIdWaterVapourDifference), Separator()};
    for (int id = kIdRgbRecipeFirst; id <= kIdRgbRecipeLast; ++id) {
        items.push_back(Item("RGB 配方", id));
    }
    return items;
}

std::vector<MenuEntry> BuildLayout() {
    return {
        Popup("文件(&F)",
              {Item("打开文件", kIdFileOpen), Item("保存当前图像", kIdFileSaveAs),
               Item("导出GeoTIFF...", kIdExportGeoTiff), Separator(), Item("打印", kIdFilePrint),
               Item("打印预览", kIdFilePrintPreview), Item("打印设置", kIdFilePageSetup),
               Separator(), RecentFiles(), Separator(), Item("退出", kIdAppExit)}),
        Popup(
            "地理信息(&I)",
            {Item("文字标题", kIdTitle), Item("网格", kIdGrid), Item("地图", kIdMap),
             Popup("其它地理信息", {Item("中国省界", kIdProvinces), Item("主要城市", kIdCities)})}),
        Popup("显示(&D)",
              {Popup("缩放", {Popup("放大", ZoomInItems()), Item("实际大小", kIdActualSize),
                              Item("适合窗口", kIdFitWindow), Popup("缩小", ZoomOutItems())}),
               Item("全屏显示", kIdFullScreen), Separator(),
               Popup("动画", {Item("播放/暂停", kIdLoopPlayPause), Item("上一幅", kIdLoopPrevious),
                              Item("下一幅", kIdLoopNext), Item("第一幅", kIdLoopFirst),
                              Item("最后一幅", kIdLoopLast), Separator(),
                              Item("加快", kIdLoopFaster), Item("减慢", kIdLoopSlower)})}),
        Popup("图像(&E)",
              {Item("快速线性增强", kIdHistogramStretch),
               Popup("调整", {Item("调整亮度", kIdBrightness), Item("调整对比度", kIdContrast),
                              Item("反色", kIdNegate)}),
               Popup("滤波", {Item("模糊", kIdBlur), Item("锐化", kIdSharpen), Separator(),
                              Item("中值平滑", kIdMedian), Item("均值平滑", kIdMean),
                              Item("噪声", kIdNoise), Item("去斑", kIdDespeckle),
                              Item("浮雕效果", kIdEmboss), Item("马赛克", kIdMosaic), Separator(),
                              Item("边缘检测", kIdEdgeDetect)}),
               Separator(), Item("返回原图", kIdRestoreFirst)}),
        Popup("云图调色(&C)",
              {Item("黑白－1", 32845), Item("黑白－2", 32846), Item("黑白－3", 32847),
               Item("黑白－水汽", 32848), Separator(), Item("彩色－1", 32849),
               Item("彩色－2", 32850), Item("彩色－3", 32851), Item("彩色－水汽", 32852),
               Separator(), Item("自定义调色板", kIdPaletteLast)}),
        Popup("应用(&P)",
              {Item("等温线", kIdIsotherms), Separator(), Item("降水估计", kIdShowPrecipitation),
               Item("关闭降水估计", kIdHidePrecipitation), Separator(), Item("测距", kIdRuler),
               Item("区域统计", kIdAreaStatistics), Item("单点时间序列", kIdPointSeries)}),
        Popup("通道组合(&G)", ChannelItems()),
        Popup("对流(&T)",
              {Item("显示云团", kIdShowCells), Item("云团路径", kIdShowTracks),
               Item("云顶降温", kIdShowCooling), Separator(), Item("云团列表...", kIdCellTable),
               Separator(), Item("对流设置...", kIdConvectionSettings)}),
        Popup("叠加(&N)", OverlayItems()),
        Popup("查看(&V)",
              {Item("云图信息", kIdFileInfo), Item("色标", kIdColourLegend), Separator(),
               Item("工具栏(&T)", kIdViewToolbar), Item("状态栏(&S)", kIdViewStatusBar)}),
        Popup("设置(&S)", {Item("产品目录设置", kIdCatalogueFolder)}),
        Popup("帮助(&H)", {Item("帮助主题", kIdHelpTopics), Item("关于 kelvra", kIdAppAbout)}),
    };
}

}  // namespace

const std::vector<MenuEntry>& MainMenuLayout() {
    static const std::vector<MenuEntry> layout = BuildLayout();
    return layout;
}

const std::vector<MenuAccelerator>& MainAccelerators() {
    static const std::vector<MenuAccelerator> accelerators = {
        {"Ctrl+N", kIdFileNew},
        {"Ctrl+O", kIdFileOpen},
        {"Ctrl+S", kIdFileSave},
        {"Ctrl+P", kIdFilePrint},
        {"Ctrl+Z", kIdEditUndo},
        {"Alt+Backspace", kIdEditUndo},
        {"Ctrl+X", kIdEditCut},
        {"Shift+Del", kIdEditCut},
        {"Ctrl+C", kIdEditCopy},
        {"Ctrl+Ins", kIdEditCopy},
        {"Ctrl+V", kIdEditPaste},
        {"Shift+Ins", kIdEditPaste},
        {"F6", kIdNextPane},
        {"Shift+F6", kIdPrevPane},
        {"F11", kIdFullScreen},
        {"Space", kIdLoopPlayPause, true},
        {"Left", kIdLoopPrevious, true},
        {"Right", kIdLoopNext, true},
        {"Home", kIdLoopFirst, true},
        {"End", kIdLoopLast, true},
        {"Ctrl+Up", kIdLoopFaster, true},
        {"Ctrl+Down", kIdLoopSlower, true},
    };
    return accelerators;
}
