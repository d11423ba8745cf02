#pragma once
// The single document: the image being shown and edited, the product read
// from the same file, the frames of an animation and the recompose flag
// that tells the view to rebuild its picture. It opens files, saves the
// composed picture and carries the image commands. It never writes the file
// it was opened from.

#include <functional>
#include <string>
#include <vector>

#include "image/CDibImage.h"
#include "platform/Rand15.h"
#include "product/CGeoImage.h"
#include "ui/CCommandTable.h"
#include "ui/CUiProviders.h"

class CDocumentView;
class CRecentFileList;

// The filter of the save dialog (string 1023).
extern const char* const kSaveImageFilter;

class CKelvraDoc {
public:
    CKelvraDoc();
    CKelvraDoc(const CKelvraDoc&) = delete;
    CKelvraDoc& operator=(const CKelvraDoc&) = delete;

    // --- Framework wiring ---------------------------------------------------
    void AddView(CDocumentView* view);
    void RemoveView(CDocumentView* view);
    const std::vector<CDocumentView*>& Views() const { return m_views; }
    void SetProviders(CUiProviders providers) { m_providers = std::move(providers); }
    CUiProviders& Providers() { return m_providers; }
    // The list that every recorded path is added to (may be none).
    void SetRecentFileList(CRecentFileList* list) { m_pRecentFiles = list; }
    // Called whenever the title (the path) changes.
    void SetTitleObserver(std::function<void()> observer) { m_titleObserver = std::move(observer); }
    const CCommandTable& Commands() const { return m_commands; }

    // --- Document operations ------------------------------------------------
    // Reads the product and the image of path; true exactly when the image
    // was read. A failed open leaves everything as it was. The views are not
    // told; the caller runs their initial update.
    bool OnOpenDocument(const std::string& path);
    // The framework's new document: nothing of the content is released
    // (the document has nothing of its own to reset); the title goes back to
    // the default name.
    bool OnNewDocument();
    void UpdateAllViews();
    void InitialUpdateAllViews();
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    const std::string& PathName() const { return m_strPathName; }
    // The file name of the path, or the default name "Kelvra".
    std::string Title() const;

    // Loads every file of the animation list into the frame arrays; always
    // true. A frame whose reads fail keeps an unloaded product and a copy of
    // the image the document held before it.
    bool LoadFrames(const std::vector<std::string>& paths);
    // Reads one more file as the last frame, letting the first frame go when
    // dropFirst (a loop of the latest products rolling on); the image and
    // product on screen stay. A frame whose reads fail keeps an unloaded
    // product and a copy of the image on screen, as in LoadFrames. False,
    // with nothing read, when no loop is loaded.
    bool AddFrame(const std::string& path, bool dropFirst);

    // --- Commands ------------------------------------------------------------
    void OnFileSaveAs();
    // Asks for a name in the product's folder and exports the product's
    // calibrated values as a GeoTIFF (export/ExportModule.h).
    void OnExportGeoTiff();
    // Runs the image command of id (32841-32863, 32803); false when the
    // command was cancelled or failed.
    bool RunImageCommand(int id);

    // --- Content -------------------------------------------------------------
    // The image shown and edited, and the product read from the same file.
    CDibImage& Image() { return m_image; }
    const CDibImage& Image() const { return m_image; }
    const CGeoImage& Product() const { return m_product; }
    // The animation's frames as loaded, index-aligned.
    const std::vector<CDibImage>& FrameImages() const { return m_frameImages; }
    const std::vector<CGeoImage>& FrameProducts() const { return m_frameProducts; }
    // Makes frame index the product and image (the product shares the
    // frame's counts, the image its block until written) and asks for a
    // recompose; false, with nothing changed, when there is no such frame.
    bool MakeFrameCurrent(int index);
    // Empties both frame arrays and shows the document's own product and
    // image again, as they were before the frames were loaded (a document
    // with no image of its own keeps the last frame).
    void ReleaseFrames();

    // The picture must be rebuilt from the image (after an open or a change
    // of frame) before the next composition.
    void RequestRecompose() { m_nRecompose = 1; }
    bool RecomposeRequested() const { return m_nRecompose != 0; }
    void RecomposeDone() { m_nRecompose = 0; }

private:
    void RegisterCommands();
    void SetPathName(const std::string& path);

    // Members in the document's order.
    CDibImage m_image;
    CGeoImage m_product;
    std::vector<CDibImage> m_frameImages;
    std::vector<CGeoImage> m_frameProducts;
    // The document's own product and image while a loop shows its frames.
    CGeoImage m_ownProduct;
    CDibImage m_ownImage;
    bool m_bHoldsOwn = false;
    int m_nRecompose = 1;
    CRand15 m_random;
    std::vector<CDocumentView*> m_views;
    CUiProviders m_providers;
    CRecentFileList* m_pRecentFiles = nullptr;
    std::function<void()> m_titleObserver;
    CCommandTable m_commands;
    std::string m_strPathName;
    bool m_bModified = false;
};
