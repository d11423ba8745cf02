#pragma once
// A recording canvas that measures text as the label rules expect it: 8
// pixels per byte, the character height tall (the labels ask for their
// height as a negative, character-height value).

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "support/CRecordingCanvas.h"

class CLabelCanvas : public CRecordingCanvas {
public:
    using CRecordingCanvas::CRecordingCanvas;
    CanvasSize TextExtent(const std::string& utf8) override {
        return CanvasSize{static_cast<int>(utf8.size()) * 8, std::abs(Font().height)};
    }
};

struct TextAt {
    int x;
    int y;
    std::string text;
    bool operator==(const TextAt&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TextAt& t) {
    return out << "(" << t.x << ", " << t.y << " '" << t.text << "')";
}

inline std::vector<TextAt> TextsOf(const CRecordingCanvas& canvas) {
    std::vector<TextAt> texts;
    for (const CanvasCall& call : canvas.CallsOf(CanvasOp::TextOut)) {
        texts.push_back(TextAt{call.x, call.y, call.text});
    }
    return texts;
}
