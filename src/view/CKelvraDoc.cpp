#include "view/CKelvraDoc.h"

#include <QImage>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "image/OpenImageFile.h"
#include "platform/Message.h"
#include "platform/RegularFile.h"
#include "product/ProductFileProblem.h"
#include "product/ProductReadFailure.h"
#include "render/PictureFile.h"
#include "ui/CRecentFileList.h"
#include "ui/CWaitCursor.h"
#include "ui/CommandIds.h"
#include "view/CDocumentView.h"

const char* const kSaveImageFilter =
    "位图文件 (*.bmp;*.dib)|*.bmp;*.dib|JPEG文件 (*.jpg;*.jpeg)|*.jpg;*.jpeg|TGA文件 "
    "(*.tga)|*.tga|所有文件 (*.*)|*.*||";

namespace {

constexpr const char* kDefaultTitle = "Kelvra";
constexpr const char* kFailedToOpen = "打开文档失败。";
constexpr const char* kFailedToSave = "保存文档失败。";
constexpr const char* kSaveExtension = ".bmp";
constexpr const char* kCannotRead = "文件不存在或不能读取";
constexpr const char* kNotAPicture = "不是能读取的 BMP、JPEG 或 TGA 图像";

// The framework's own open: the file must be readable; nothing is read.
// A FIFO or device named like a product would block the window for ever.
bool FileCanBeOpened(const std::string& path) {
    std::FILE* file = OpenRegularFileForReading(path);
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

// The save dialog's proposal: the opened file's name with the first
// filter's extension, in its folder, so the product itself is never offered.
std::string SaveNameOf(const std::string& opened) {
    if (opened.empty()) {
        return std::string();
    }
    return std::filesystem::path(opened).replace_extension(kSaveExtension).string();
}

}  // namespace

CKelvraDoc::CKelvraDoc() {
    RegisterCommands();
}

void CKelvraDoc::AddView(CDocumentView* view) {
    m_views.push_back(view);
}

void CKelvraDoc::RemoveView(CDocumentView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CKelvraDoc::UpdateAllViews() {
    for (CDocumentView* view : m_views) {
        view->OnUpdate();
    }
}

void CKelvraDoc::InitialUpdateAllViews() {
    for (CDocumentView* view : m_views) {
        view->OnInitialUpdate();
    }
}

std::string CKelvraDoc::Title() const {
    if (m_strPathName.empty()) {
        return kDefaultTitle;
    }
    return std::filesystem::path(m_strPathName).filename().string();
}

void CKelvraDoc::SetPathName(const std::string& path) {
    m_strPathName = path;
    if (m_pRecentFiles != nullptr) {
        m_pRecentFiles->Add(path);
    }
    if (m_titleObserver) {
        m_titleObserver();
    }
}

bool CKelvraDoc::OnNewDocument() {
    m_strPathName.clear();
    m_bModified = false;
    if (m_titleObserver) {
        m_titleObserver();
    }
    return true;
}

bool CKelvraDoc::OnOpenDocument(const std::string& path) {
    if (!FileCanBeOpened(path)) {
        ShowMessage(MessageWithFile(kFailedToOpen, path, kCannotRead));
        return false;
    }
    CWaitCursor wait;
    // A file whose image cannot be read changes nothing: the picture, the
    // product, the title and the recent-file list stay as they were.
    const OpenedImageFile opened = OpenImageFileWhole(path, m_product, m_image);
    // One message a failure, naming the file and, where it can be told, why.
    const bool productFailed = !opened.productRead && opened.productExpected;
    std::string why;
    if (productFailed) {
        why = opened.productRefusal.empty() ? ProductFileProblem(path) : opened.productRefusal;
    }
    if (!opened.imageLoaded) {
        ShowMessage(MessageWithFile(kFailedToOpen, path, productFailed ? why : kNotAPicture));
        return false;
    }
    if (productFailed) {
        ShowMessage(MessageWithFile(kProductReadFailed, path, why));
    }
    m_nRecompose = 1;
    if (m_bHoldsOwn) {
        // Opened while a loop plays: the end of the loop returns to this file.
        m_ownProduct = m_product;
        m_ownImage.ShareFrom(m_image);
    }
    SetPathName(path);
    m_bModified = false;
    return true;
}

bool CKelvraDoc::LoadFrames(const std::vector<std::string>& paths) {
    m_frameProducts.clear();
    m_frameImages.clear();
    if (!m_bHoldsOwn) {
        m_ownProduct = m_product;
        m_ownImage.ShareFrom(m_image);
        m_bHoldsOwn = true;
    }
    // Read aside, so the document's own image (its history and first state
    // too) is still there when the loop ends. A frame's image refers to the
    // block just read, and its product's counts are that block's rows: a
    // frame costs its pixels once.
    CDibImage image;
    image.ShareFrom(m_image);
    for (const std::string& path : paths) {
        m_frameProducts.push_back(CGeoImage());
        OpenImageFile(path, m_frameProducts.back(), image);
        m_frameImages.emplace_back();
        m_frameImages.back().ShareFrom(image);
    }
    return true;
}

bool CKelvraDoc::AddFrame(const std::string& path, bool dropFirst) {
    if (m_frameProducts.empty() || m_frameImages.empty()) {
        return false;
    }
    // Read aside, so the frame on screen is not replaced until the loop
    // steps to it.
    CDibImage image;
    image.ShareFrom(m_image);
    CGeoImage product;
    OpenImageFile(path, product, image);
    if (dropFirst) {
        m_frameProducts.erase(m_frameProducts.begin());
        m_frameImages.erase(m_frameImages.begin());
    }
    m_frameProducts.push_back(std::move(product));
    m_frameImages.emplace_back();
    m_frameImages.back().ShareFrom(image);
    return true;
}

bool CKelvraDoc::MakeFrameCurrent(int index) {
    // The arrays are index-aligned with the frames, but a release between a
    // shot and its step must not lead outside them.
    if (index < 0 || index >= static_cast<int>(m_frameProducts.size()) ||
        index >= static_cast<int>(m_frameImages.size())) {
        return false;
    }
    const auto at = static_cast<std::size_t>(index);
    m_product = m_frameProducts[at];
    // Shown as held: the image copies the block only when it writes.
    m_image.ShareFrom(m_frameImages[at]);
    m_nRecompose = 1;
    return true;
}

void CKelvraDoc::ReleaseFrames() {
    m_frameProducts.clear();
    m_frameImages.clear();
    if (!m_bHoldsOwn) {
        return;
    }
    m_bHoldsOwn = false;
    if (!m_ownImage.IsEmpty()) {
        m_product = std::move(m_ownProduct);
        m_image.ShareFrom(m_ownImage);
        m_nRecompose = 1;
    }
    m_ownProduct = CGeoImage();
    m_ownImage.Release();
}

void CKelvraDoc::OnFileSaveAs() {
    if (!m_providers.saveFile) {
        return;
    }
    FileDialogRequest request;
    request.filter = kSaveImageFilter;
    request.initialName = SaveNameOf(m_strPathName);
    const std::optional<std::string> chosen = m_providers.saveFile(request);
    if (!chosen) {
        return;
    }
    CWaitCursor wait;
    static const QImage kNoPicture;
    const QImage& picture = m_views.empty() ? kNoPicture : m_views.front()->OffscreenPicture();
    PictureTarget target;
    target.path = *chosen;
    target.openedFile = m_strPathName;
    // A save that succeeds is seen in the folder; only a failure is said.
    if (SavePicture(picture, target) != PictureSaveResult::kSaved) {
        ShowMessage(kFailedToSave);
    }
}
