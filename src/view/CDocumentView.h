#pragma once
// What the document needs of a view: to be told that its content changed
// (after an open: initial update; after an image command: update) and the
// composed picture, which "保存当前图像" stores.

class QImage;

class CDocumentView {
public:
    virtual ~CDocumentView() = default;
    // The first update after a file was opened: compose, then size the view.
    virtual void OnInitialUpdate() = 0;
    // The document changed: compose.
    virtual void OnUpdate() = 0;
    // The off-screen picture as last composed (null before the first).
    virtual const QImage& OffscreenPicture() const = 0;
};
