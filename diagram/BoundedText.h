#pragma once

#include <string_view>

#include <QString>
#include <QStringView>

// A file's header may hold a single line of megabytes. Whatever the interface
// shows or measures of such texts (captions, tooltips, the information panel,
// menus, message boxes, the printed page) is bounded here, so that no widget
// lays out more than a screenful and the cut is visible as an ellipsis.
inline constexpr qsizetype kShownTextLimit = 256;

// `text` itself when it has at most `limit` characters; otherwise its first
// `limit` - 1 characters and "…". A surrogate pair is never split.
[[nodiscard]] QString BoundedText(QStringView text, qsizetype limit = kShownTextLimit);

// Each line of `text` bounded as BoundedText does, and at most `maxLines`
// lines: when more follow, the last kept line is "…".
[[nodiscard]] QString BoundedLines(QStringView text, qsizetype lineLimit, qsizetype maxLines);

// `text` broken into lines of at most `width` characters, after the last
// blank that fits or, for a longer word, inside it: a tooltip's lines.
[[nodiscard]] QString BrokenLines(QStringView text, qsizetype width);

// The front of `bytes` that still holds more than `limit` characters in UTF-8
// or a one-byte encoding, ending on a UTF-8 character boundary; all of them
// when they are short. Decoding only this much and then bounding gives the
// same text as decoding everything would.
[[nodiscard]] std::string_view ShownBytes(std::string_view bytes, qsizetype limit = kShownTextLimit);
