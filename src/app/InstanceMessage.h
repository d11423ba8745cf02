#pragma once
// What a second start of kelvra tells the running instance: the absolute
// paths of the files it was given (none: only raise the window). The
// message is bounded and checked word by word, so the running instance
// takes nothing from its channel but paths to open.
//
// Form: the line "kelvra-open 1", then one line per path, then an empty
// line that ends the message; every line ends in a newline; UTF-8.

#include <QByteArray>
#include <QStringList>
#include <optional>

// The most a message may hold, and the most files one start hands over.
inline constexpr qsizetype kMaxInstanceMessageBytes = 256 * 1024;
inline constexpr qsizetype kMaxHandedFiles = 64;
// The longest path taken (Linux's PATH_MAX, terminator included).
inline constexpr qsizetype kMaxHandedPathBytes = 4095;

// The message for paths; nothing when they cannot be sent (too many, too
// long, not absolute, or holding a control character).
std::optional<QByteArray> EncodeInstanceMessage(const QStringList& paths);
// The paths of a whole message; nothing for anything that is not a message
// EncodeInstanceMessage could have made.
std::optional<QStringList> DecodeInstanceMessage(const QByteArray& message);

// How far the bytes read so far go: more to come, a whole message, or bytes
// that cannot begin one (too many, or more after the end).
enum class MessageProgress { kIncomplete, kComplete, kRefused };
MessageProgress InstanceMessageProgress(const QByteArray& received);
