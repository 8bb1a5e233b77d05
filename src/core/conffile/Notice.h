#pragma once

#include "ReaderTexts.h"

#include <functional>
#include <string>

// What the reader reports while it reads a file, in file order. The reader shows nothing itself:
// the window turns each notice into its message box, the command-line tool into a line.
namespace velto {

enum class NoticeKind {
    ParseFailure, // the file could not be read or parsed; reason holds why
    OldVersion,   // no version element, or a version other than the current one
    Invalid,      // a record out of range or with invalid values, skipped
    Duplicate,    // a record whose slot is taken, skipped
    Stop,         // a value that cannot be read: reading ends here
};

struct Notice {
    NoticeKind kind = NoticeKind::ParseFailure;
    std::string section; // the element name ("device", "camera", ...); empty for file-level notices
    ReaderMessage message =
        ReaderMessage::BadParameters; // the text shown (Invalid, Duplicate, OldVersion, Stop)
    std::string keyText;              // the key attribute exactly as written in the file
    std::string name;                 // the record's name attribute (Invalid boxes show it)
    std::string reason;               // ParseFailure only: the parser's or the system's description
    long long offset = -1; // ParseFailure only: the byte where parsing failed; -1 when the file was not read
};

using NoticeSink = std::function<void(const Notice&)>;

// The text of the box that shows a notice, in Italian or English.
std::string NoticeText(const Notice& notice, bool italian);

} // namespace velto
