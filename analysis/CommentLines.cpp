#include "CommentLines.h"

#include <QStringDecoder>

#include <algorithm>

namespace kalvoro::analysis {

namespace {

bool BreaksTheMemo(QChar c)
{
    const char16_t code = c.unicode();
    return code == u'\n' || code == u'\r' || code == 0x2028 || code == 0x2029 || code == 0xFFFC
        || code == 0xFDD0 || code == 0xFDD1;
}

QString Decoded(std::string_view bytes)
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(view);
    return utf8.hasError() ? QString::fromLatin1(view) : text;
}

} // namespace

QString ShownCommentLine(std::string_view bytes)
{
    // Four bytes make at least one character, so the cut never needs more of a long line; it falls between
    // two UTF-8 characters, so that a valid line stays valid.
    std::size_t decoded = std::min(bytes.size(), static_cast<std::size_t>(MaxShownLineLength) * 4 + 4);
    while (decoded < bytes.size() && decoded > 0
        && (static_cast<unsigned char>(bytes[decoded]) & 0xC0) == 0x80) {
        --decoded;
    }
    QString text = Decoded(bytes.substr(0, decoded));
    if (text.size() > MaxShownLineLength) {
        text.truncate(MaxShownLineLength);
        text += QStringLiteral("...");
    }
    std::replace_if(text.begin(), text.end(), BreaksTheMemo, QChar::ReplacementCharacter);
    return text;
}

QString TCommentLines::Show(const std::vector<std::string>& comments)
{
    bytes = comments;
    QStringList lines;
    const std::size_t count = std::min(comments.size(), MaxShownCommentLines);
    for (std::size_t k = 0; k < count; ++k) {
        lines << ShownCommentLine(comments[k]);
    }
    shown = lines;
    return lines.join(QLatin1Char('\n'));
}

std::vector<std::string> TCommentLines::Lines(const QStringList& memoLines) const
{
    std::vector<std::string> lines;
    qsizetype nextShown = 0;
    for (const QString& line : memoLines) {
        const qsizetype found = shown.indexOf(line, nextShown);
        if (found < 0) {
            lines.push_back(line.toStdString());
            continue;
        }
        lines.push_back(bytes[static_cast<std::size_t>(found)]);
        nextShown = found + 1;
    }
    lines.insert(lines.end(), bytes.begin() + shown.size(), bytes.end());
    return lines;
}

} // namespace kalvoro::analysis
