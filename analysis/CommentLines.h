// The comment lines of a record as the memo and the printed sheet show them, and back.
//
// A comment line is a run of bytes in no particular encoding. It is shown decoded as UTF-8 when it is valid
// UTF-8 and byte by byte as Latin-1 otherwise, so every line can be shown (a long line is judged by the part
// that is shown). The memo shows at most
// MaxShownCommentLines lines and at most MaxShownLineLength characters of each (a longer line ends in
// "..."), so that any record opens at once; what is not shown is kept. A line the user did not edit is saved
// with the bytes it was read with; an edited line is saved as UTF-8.
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalvoro::analysis {

constexpr qsizetype MaxShownLineLength = 1000;
constexpr std::size_t MaxShownCommentLines = 1000;

// The text shown for one comment line, cut after MaxShownLineLength characters. Characters that the memo
// would take for a line or paragraph break, or for an embedded object, are shown as U+FFFD.
QString ShownCommentLine(std::string_view bytes);

// The comment lines behind the memo: the bytes as read, and for each shown line the memo's own text of it.
class TCommentLines {
public:
    // Takes over `comments`; returns the memo text that shows them.
    QString Show(const std::vector<std::string>& comments);
    // What the memo reports for the text that Show returned, one entry per memo line.
    void RememberShown(const QStringList& memoLines) { shown = memoLines; }
    // The comment lines for `memoLines`, the memo's lines now: a line found unchanged among the shown lines
    // (searched in order, after the one found before) keeps its bytes, any other line is UTF-8, and the lines
    // never shown follow unchanged.
    std::vector<std::string> Lines(const QStringList& memoLines) const;

private:
    std::vector<std::string> bytes;
    QStringList shown;
};

} // namespace kalvoro::analysis
