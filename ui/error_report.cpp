#include "error_report.h"

using qxrfanuc::ErrorKind;
using qxrfanuc::ErrorPlace;

namespace {

constexpr qsizetype max_quoted_length = 40;
const QString out_of_range = QStringLiteral("outside the range -32768 to 32767");

QString quoted(const QString& text) {
    if (text.size() > max_quoted_length) {
        return u'"' + text.left(max_quoted_length) + QStringLiteral("…\"");
    }
    return u'"' + text + u'"';
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
    if (text.trimmed().isEmpty()) {
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
