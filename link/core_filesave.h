#pragma once
// Writing a file so that every outcome is told as it is: all bytes or the reason why not, and a
// file replaced only once its new content is whole on the disk. Widget-free.
//
// A buffered QFileDevice keeps small writes in memory, and a failure of the write that empties
// the buffer at close() or QSaveFile::commit() is not taken as the save's failure: on a full
// disk the old file was replaced by an empty one and the save reported done. Hence the file is
// written unbuffered, every write checked, short writes carried on until the system says why
// they stop, and the data forced onto the disk before the new file takes the old one's place.

#include "link/core_textlanguage.h"

#include <QByteArray>
#include <QString>

class QFileDevice;

// Writes all `size` bytes of `data` to the open `file`; false, with the system's reason in
// *reason, when the file does not take them (a write that stops short is carried on, so the
// next one tells the reason).
bool writeWhole(QFileDevice &file, const char *data, qint64 size, QString *reason);

// Forces what was written to `file` onto the disk; false, with the system's reason, when the
// disk does not take it.
bool syncToDisk(QFileDevice &file, QString *reason);

// Creates or replaces `path` with `bytes`: written beside it, onto the disk, then renamed over
// it. False, with the system's reason in *reason, when any step fails; the previous file is
// then untouched and nothing is left beside it.
bool saveWholeFile(const QString &path, const QByteArray &bytes, QString *reason);

// A file error as a person reads it: a short reason in the interface language, then the
// system's own text in brackets ("нет места на диске (No space left on device)"); the system's
// text alone when there is no short reason for it. The short reason in Russian for the journals.
QString fileErrorText(const QString &systemText,
                      TextLanguage language = TextLanguage::Interface);
