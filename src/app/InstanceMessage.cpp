#include "app/InstanceMessage.h"

#include <QStringDecoder>

namespace {

constexpr char kFirstLine[] = "kelvra-open 1";
constexpr char kEnd[] = "\n\n";

// An absolute path of a sensible length without control characters (a
// newline would end it early; nothing else has a use in a file name).
bool IsHandedPath(const QByteArray& utf8) {
    if (utf8.isEmpty() || utf8.size() > kMaxHandedPathBytes || utf8.front() != '/') {
        return false;
    }
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<QByteArray> EncodeInstanceMessage(const QStringList& paths) {
    if (paths.size() > kMaxHandedFiles) {
        return std::nullopt;
    }
    QByteArray message(kFirstLine);
    message.append('\n');
    for (const QString& path : paths) {
        const QByteArray utf8 = path.toUtf8();
        if (!IsHandedPath(utf8)) {
            return std::nullopt;
        }
        message.append(utf8).append('\n');
    }
    return message.append('\n');
}

std::optional<QStringList> DecodeInstanceMessage(const QByteArray& message) {
    if (InstanceMessageProgress(message) != MessageProgress::kComplete) {
        return std::nullopt;
    }
    QList<QByteArray> lines = message.chopped(2).split('\n');
    if (lines.takeFirst() != kFirstLine || lines.size() > kMaxHandedFiles) {
        return std::nullopt;
    }
    QStringList paths;
    for (const QByteArray& line : lines) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString path = utf8.decode(line);
        if (!IsHandedPath(line) || utf8.hasError()) {
            return std::nullopt;
        }
        paths.append(path);
    }
    return paths;
}

MessageProgress InstanceMessageProgress(const QByteArray& received) {
    if (received.size() > kMaxInstanceMessageBytes) {
        return MessageProgress::kRefused;
    }
    const qsizetype end = received.indexOf(kEnd);
    if (end < 0) {
        return MessageProgress::kIncomplete;
    }
    return end + 2 == received.size() ? MessageProgress::kComplete : MessageProgress::kRefused;
}
