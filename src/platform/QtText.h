#pragma once
// The one place where text crosses between the core (std::string) and Qt
// (QString). Forms convert with these two functions and nothing else.
//
// The encoding, decided once for the whole program: the core's texts are
// UTF-8 bytes, held and compared as bytes. Files are read and written as
// bytes, so a names file saved as UTF-8 gives UTF-8 names, and a radio
// library receives every text (paths, messages, macro names) as those UTF-8
// bytes in its char*; on Linux a path is the byte string the file system
// knows. Only the case-insensitive comparisons and the upper-casing of
// messages look inside a text, and they change ASCII letters only, so a
// multi-byte character passes through untouched.
//
// Into Qt: valid UTF-8 is decoded as UTF-8. Bytes that are not valid UTF-8
// (a names file written by an older Windows program in Latin-1) are read as
// Latin-1, one character per byte, so "Jos\xE9" shows as "José" in the grid
// rather than as a replacement character. Back to the core: always UTF-8,
// so that name, once edited in the grid, is logged as "Jos\xC3\xA9".

#include <QString>
#include <string>
#include <string_view>

namespace platform {

/// Core text to Qt: UTF-8, or Latin-1 when the bytes are not valid UTF-8.
QString ToQString(std::string_view text);

/// Qt text to the core, as UTF-8.
std::string FromQString(const QString& text);

}  // namespace platform
