#pragma once

#include "ReaderTexts.h"

#include <functional>
#include <string>

// What the reader reports while it reads a file, in file order. The reader shows nothing itself:
// the window turns each notice into its message box, the command-line tool into a line.
namespace velto {

enum class NoticeKind {
    CannotRead,   // the file could not be opened or read, or is not one to read; reason holds why
    ParseFailure, // the file is not well-formed; reason holds the parser's description
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
    std::string reason;               // CannotRead and ParseFailure: the system's or the parser's words
    long long offset = -1;            // ParseFailure only: the byte where parsing failed,
    int line = 0, column = 0;         // and its line and column from 1 (columns count characters)
};

using NoticeSink = std::function<void(const Notice&)>;

// The text of the box that shows a notice, in Italian or English.
std::string NoticeText(const Notice& notice, bool italian);

} // namespace velto
