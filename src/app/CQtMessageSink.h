#pragma once
// The application's message sink: a warning box with one OK button and the
// caption "kelvra", over the active window.

#include "platform/Message.h"

class CQtMessageSink : public CMessageSink {
public:
    void Show(const std::string& utf8Text) override;
};
