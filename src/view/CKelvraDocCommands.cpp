// The image commands of the document: each optionally asks for a
// percentage, runs one operation on the image under the wait cursor, and
// either updates the views or shows its failure text.

#include <array>

#include "platform/Message.h"
#include "ui/CWaitCursor.h"
#include "ui/CommandIds.h"
#include "view/CKelvraDoc.h"

namespace {

struct ImageCommand {
    int id;
    const char* title;   // percent dialog title; nullptr when none is asked
    const char* prompt;  // percent dialog prompt
    bool (*run)(CDibImage& image, CRand15& random, int percent);
    const char* failure;
};

const std::array<ImageCommand, 12> kImageCommands = {{
    {kIdBrightness, "调整亮度", "亮度(%)：",
     [](CDibImage& i, CRand15&, int p) { return i.Brightness(p); }, "调整亮度失败"},
    {kIdContrast, "调整对比度", "对比度(%)：",
     [](CDibImage& i, CRand15&, int p) { return i.Contrast(p); }, "调整对比度失败"},
    {kIdNegate, nullptr, nullptr, [](CDibImage& i, CRand15&, int) { return i.Negate(); },
     "反色失败"},
    {kIdHistogramStretch, nullptr, nullptr,
     [](CDibImage& i, CRand15&, int) { return i.HistogramStretch(); }, "快速线性增强失败"},
    {kIdRestoreFirst, nullptr, nullptr,
     [](CDibImage& i, CRand15&, int) { return i.RestoreFirstState(); }, "返回原图失败"},
    {kIdBlur, nullptr, nullptr, [](CDibImage& i, CRand15&, int) { return i.Blur(); },
     "图像模糊失败"},
    {kIdSharpen, nullptr, nullptr, [](CDibImage& i, CRand15&, int) { return i.Sharpen(); },
     "图像锐化失败"},
    {kIdMedian, nullptr, nullptr, [](CDibImage& i, CRand15&, int) { return i.MedianSmooth(); },
     "中值平滑失败"},
    {kIdMean, nullptr, nullptr, [](CDibImage& i, CRand15&, int) { return i.MeanSmooth(); },
     "均值平滑失败"},
    {kIdNoise, "增加噪声", "噪声(%)：",
     [](CDibImage& i, CRand15& r, int p) { return i.AddNoise(p, r); }, "增加噪声失败"},
    {kIdEmboss, nullptr, nullptr, [](CDibImage& i, CRand15&, int) { return i.Emboss(); },
     "浮雕效果失败"},
    {kIdEdgeDetect, nullptr, nullptr, [](CDibImage& i, CRand15&, int) { return i.EdgeDetect(); },
     "边缘检测失败"},
}};

const ImageCommand* FindImageCommand(int id) {
    for (const ImageCommand& command : kImageCommands) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace

void CKelvraDoc::RegisterCommands() {
    m_commands.Add(kIdFileSaveAs, [this](int) { OnFileSaveAs(); });
    m_commands.Add(
        kIdExportGeoTiff, [this](int) { OnExportGeoTiff(); },
        [this](CCmdUI& ui) { ui.Enable(m_product.productLoaded != 0); });
    for (const ImageCommand& command : kImageCommands) {
        CCommandTable::Updater updater;
        if (command.id == kIdHistogramStretch || command.id == kIdRestoreFirst) {
            updater = [this](CCmdUI& cmdUI) { cmdUI.Enable(m_image.IsEightBit()); };
        }
        m_commands.Add(
            command.id, [this](int id) { RunImageCommand(id); }, updater);
    }
}

bool CKelvraDoc::RunImageCommand(int id) {
    const ImageCommand* command = FindImageCommand(id);
    if (command == nullptr) {
        return false;
    }
    int percent = 0;
    if (command->title != nullptr) {
        if (!m_providers.askPercent) {
            return false;
        }
        const std::optional<int> answer = m_providers.askPercent(command->title, command->prompt);
        if (!answer) {
            return false;
        }
        percent = *answer;
    }
    CWaitCursor wait;
    if (!command->run(m_image, m_random, percent)) {
        ShowMessage(command->failure);
        return false;
    }
    m_bModified = false;
    UpdateAllViews();
    return true;
}
