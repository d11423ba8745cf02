#include "ui/support/UiTestSupport.h"

#include <QDialog>
#include <QLabel>

#include "dialogs/CFileInfoDlg.h"
#include "image/CDibImage.h"
#include "render/CQtCanvas.h"
#include "synth/AwxWriter.h"

CTestApp::CTestApp() {
    m_pApp = std::make_unique<CKelvraApp>(settings, false);
    m_pApp->InitInstance("");
    m_startupMessages = m_recorder.Messages();
    m_recorder.Clear();
    CUiProviders& providers = m_pApp->Document().Providers();
    providers.askPercent = [this](const std::string& title, const std::string& prompt) {
        answers.askedPercentTitles.push_back(title);
        answers.askedPercentPrompts.push_back(prompt);
        return answers.percent;
    };
    providers.openFile = [this](const FileDialogRequest& request) {
        answers.fileRequests.push_back(request);
        return answers.openPath;
    };
    providers.saveFile = [this](const FileDialogRequest& request) {
        answers.fileRequests.push_back(request);
        return answers.savePath;
    };
    providers.showModal = [this](QDialog& dialog) {
        ++answers.modalDialogs;
        answers.lastModalTitle = dialog.windowTitle();
        if (auto* info = qobject_cast<CFileInfoDlg*>(&dialog)) {
            answers.lastInfoText = info->InfoText();
        }
        if (answers.modalScript) {
            answers.modalScript(dialog);
        }
    };
    providers.chooseColour = [this](std::uint32_t initial) {
        answers.colourStarts.push_back(initial);
        return answers.colour;
    };
}

CTestApp::~CTestApp() = default;

bool WriteTestProduct(const std::string& path, int width, int height) {
    AwxWriterOptions options;
    options.width = width;
    options.height = height;
    return WriteAwxProduct(path, options);
}

namespace {

bool WriteRamp(const std::string& path, int width, int height, int bits) {
    CDibImage image;
    if (!image.CreateBlank(width, height, bits)) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Counts 40-159: room for the histogram stretch to widen.
            const std::uint32_t v = static_cast<std::uint32_t>(40 + (x * 2 + y) % 120);
            image.SetPixel(x, y, bits == 8 ? v : (v | (v << 8) | ((255 - v) << 16)));
        }
    }
    if (bits == 8) {
        std::array<RgbQuad, 256> grey{};
        for (int i = 0; i < 256; ++i) {
            const auto g = static_cast<std::uint8_t>(i);
            grey[static_cast<std::size_t>(i)] = {g, g, g, 0};
        }
        image.SetColorTable(grey);
    }
    return image.Save(path);
}

}  // namespace

bool WriteTestBmp(const std::string& path, int width, int height) {
    return WriteRamp(path, width, height, 8);
}

bool WriteTestJpeg(const std::string& path, int width, int height) {
    return WriteRamp(path, width, height, 24);
}

int PixelsOf(CTestApp& t, std::uint32_t colour) {
    const QImage& picture = t.View().OffscreenPicture();
    const QRgb wanted = ToQColor(colour).rgb();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            count += picture.pixel(x, y) == wanted ? 1 : 0;
        }
    }
    return count;
}
