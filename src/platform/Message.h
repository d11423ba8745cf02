#pragma once
// The message sink: every message box of the system goes through ShowMessage.
// The application installs a sink that shows a warning box with the caption
// "kelvra"; tests install a recorder. With no sink installed the text goes to
// standard error, which is what the command-line front end wants.

#include <string>
#include <vector>

class CMessageSink {
public:
    virtual ~CMessageSink() = default;
    virtual void Show(const std::string& utf8Text) = 0;
};

// Shows one message through the sink in force (UTF-8 text).
void ShowMessage(const std::string& utf8Text);

// Installs a sink for the lifetime of this object and restores the previous
// one afterwards. The sink is owned by the caller.
class CScopedMessageSink {
public:
    explicit CScopedMessageSink(CMessageSink* sink);
    ~CScopedMessageSink();
    CScopedMessageSink(const CScopedMessageSink&) = delete;
    CScopedMessageSink& operator=(const CScopedMessageSink&) = delete;

private:
    CMessageSink* m_pPrevious;
};

// Records every message; used by tests to assert on what the user would see.
class CMessageRecorder : public CMessageSink {
public:
    void Show(const std::string& utf8Text) override { m_messages.push_back(utf8Text); }
    const std::vector<std::string>& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }

private:
    std::vector<std::string> m_messages;
};
