#pragma once
// An animated GIF (GIF89a) written frame by frame with giflib: every frame
// the whole picture with its own colour table and delay, and the loop count
// in the NETSCAPE2.0 application block. The file is written beside its target
// and replaces it only when finished, so a failure or an abandoned loop
// leaves the target as it was and no partial file.

#include <string>

#include "image/IndexedFrame.h"
#include "platform/ReplacementFile.h"

struct GifFileType;

// GIF delays count hundredths of a second in 16 bits.
constexpr int kMaxGifDelayCentiseconds = 65535;
constexpr int kMaxGifLoopCount = 65535;

class CGifWriter {
public:
    explicit CGifWriter(std::string target);
    // Abandons an unfinished file.
    ~CGifWriter();
    CGifWriter(const CGifWriter&) = delete;
    CGifWriter& operator=(const CGifWriter&) = delete;

    // Starts the file: the screen of width × height and the loop count
    // (0 for ever; n, the times the loop is repeated after its first
    // showing). False when the file cannot be made.
    bool Open(int width, int height, int loopCount);
    // Appends one frame of the screen's size, shown for delay hundredths of
    // a second.
    bool AddFrame(const IndexedFrame& frame, int delayCentiseconds);
    // Ends the file and puts it in place of the target.
    bool Finish();

private:
    bool PutLoopCount(int loopCount);
    void Close();

    CReplacementFile m_file;
    GifFileType* m_pGif = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

// Hundredths of a second of an interval in milliseconds, rounded, at least 1
// and at most the format's limit.
int GifDelayOf(int milliseconds);
