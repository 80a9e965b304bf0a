// SPDX-License-Identifier: MIT
#include "error_report.h"

#include "int16.h"

#include <utility>

#include <QTextBoundaryFinder>

using qxrfanuc::ErrorKind;
using qxrfanuc::ErrorPlace;
using qxrfanuc::int16_range_text;

namespace {

constexpr int max_quoted_characters = 40;
const QString out_of_range = QStringLiteral("outside the range ") +
                             QString::fromUtf8(int16_range_text.data(), qsizetype(int16_range_text.size()));

// Controls, format characters (the direction overrides among them), line and paragraph separators and lone
// surrogates would break the message into lines, show as empty boxes or reorder the program's own sentence.
bool needs_escape(char32_t c) {
    if (c == U'"' || c == U'\\') {
        return true;
    }
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Surrogate:
        return true;
    default:
        return false;
    }
}

// \" and \\ for the quote and backslash, \x0A up to U+00FF, \u202E in the basic plane, \U000E0001 beyond.
void append_escaped(QString& out, char32_t c) {
    if (c == U'"' || c == U'\\') {
        out += u'\\';
        out += QChar(c);
        return;
    }
    const QString digits = QString::number(c, 16).toUpper();
    if (c < 0x100) {
        out += QStringLiteral("\\x") + digits.rightJustified(2, u'0');
    } else if (c < 0x10000) {
        out += QStringLiteral("\\u") + digits.rightJustified(4, u'0');
    } else {
        out += QStringLiteral("\\U") + digits.rightJustified(8, u'0');
    }
}

void append_escaped(QString& out, QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (needs_escape(c)) {
            append_escaped(out, c);
        } else {
            out += QStringView(text).sliced(QChar::requiresSurrogates(c) ? i - 1 : i,
                                            QChar::requiresSurrogates(c) ? 2 : 1);
        }
    }
}

// The user-perceived characters in text, and where the first max_quoted_characters of them end.
std::pair<qsizetype, qsizetype> characters_and_cut(const QString& text) {
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    qsizetype characters = 0;
    qsizetype cut = text.size();
    while (boundaries.toNextBoundary() != -1) {
        if (++characters == max_quoted_characters) {
            cut = boundaries.position();
        }
    }
    return {characters, cut};
}

// The box's text in double quotes, escaped so that the quote shows exactly what the box holds on one line,
// and isolated so that right-to-left text in it cannot reorder the sentence around it. A long text is cut
// between two characters, never inside one, and its length is given.
QString quoted(const QString& text) {
    const auto [characters, cut] = characters_and_cut(text);
    QString out = QStringLiteral("\"\u2068");
    append_escaped(out, QStringView(text).first(cut));
    if (cut < text.size()) {
        out += QStringLiteral("…\u2069\" (%1 characters)").arg(characters);
    } else {
        out += QStringLiteral("\u2069\"");
    }
    return out;
}

QString kind_name(ErrorKind kind) {
    const auto name = qxrfanuc::error_kind_name(kind);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QString box_name(ErrorPlace place) {
    return qxrfanuc::input_at_fault(place, QStringLiteral("QXR Register"), QStringLiteral("Fanuc Register"),
                                    QStringLiteral("Number of Consecutive Items"));
}

QString input_detail(const qxrfanuc::GenerationError& error, const QString& box, const QString& text) {
    if (error.kind == ErrorKind::Overflow) {
        return QStringLiteral("The %1 box holds %2, which is %3.").arg(box, quoted(text), out_of_range);
    }
    // Only spaces count as blanks around a number, so only a box of spaces is called empty.
    if (text.count(u' ') == text.size()) {
        return QStringLiteral("The %1 box is empty. Enter a whole number such as 12.").arg(box);
    }
    return QStringLiteral("The %1 box holds %2, which is not a number. Enter digits with an optional sign "
                          "and decimal fraction, such as 12, -3 or 2.5.")
        .arg(box, quoted(text));
}

QString computed_detail(ErrorPlace place, const QString& box, const QString& text,
                        const QString& register_type) {
    const QString value =
        place == ErrorPlace::FanucAddress ? QStringLiteral("Fanuc address") : QStringLiteral("word count");
    const QString type = register_type.isEmpty() ? QStringLiteral("no register type picked")
                                                 : QStringLiteral("the register type %1").arg(register_type);
    return QStringLiteral("The %1 box holds %2; with %3 the %4 it gives is %5.")
        .arg(box, quoted(text), type, value, out_of_range);
}

} // namespace

ErrorReport describe_error(const qxrfanuc::GenerationError& error, const BoxTexts& boxes) {
    const QString heading = QStringLiteral("Error %1: %2").arg(error.number()).arg(kind_name(error.kind));
    const QString box = box_name(error.place);
    const QString text = qxrfanuc::input_at_fault(error.place, boxes.qxr, boxes.fanuc, boxes.items);
    if (qxrfanuc::is_input_place(error.place)) {
        return {heading, input_detail(error, box, text)};
    }
    return {heading, computed_detail(error.place, box, text, boxes.register_type)};
}
