#include "platform/Message.h"

#include <cstdio>

namespace {
// The one process-wide hook: the sink belongs to the application object (or a
// test) and is only swapped by CScopedMessageSink.
CMessageSink*& CurrentSink() {
    static CMessageSink* sink = nullptr;
    return sink;
}
}  // namespace

void ShowMessage(const std::string& utf8Text) {
    if (CMessageSink* sink = CurrentSink()) {
        sink->Show(utf8Text);
        return;
    }
    std::fprintf(stderr, "%s\n", utf8Text.c_str());
}

CScopedMessageSink::CScopedMessageSink(CMessageSink* sink) : m_pPrevious(CurrentSink()) {
    CurrentSink() = sink;
}

CScopedMessageSink::~CScopedMessageSink() {
    CurrentSink() = m_pPrevious;
}
