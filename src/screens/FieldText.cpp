#include "FieldText.h"

#include "records/TextEncoding.h"

#include <QRegularExpression>

namespace vitalog {

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString WithoutBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

bool ParseWholeNumber(const QString& text, int& value) {
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    const QString number = WithoutBlanks(text);
    if (!whole.match(number).hasMatch())
        return false;
    bool ok = false;
    const int parsed = number.toInt(&ok, 10);
    if (!ok)
        return false; // out of range
    if (parsed == 0 && !number.startsWith(QLatin1Char('0')))
        return false;
    value = parsed;
    return true;
}

bool ParseRealNumber(const QString& text, double& value) {
    static const QRegularExpression real(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QString number = WithoutBlanks(text);
    if (!real.match(number).hasMatch())
        return false;
    bool ok = false;
    const double parsed = number.toDouble(&ok); // C locale, whatever the user's locale
    if (!ok)
        return false; // overflows to infinity
    if (parsed == 0 && !number.startsWith(QLatin1Char('0')))
        return false;
    value = parsed;
    return true;
}

QString FormatWholeNumber(int value) {
    return QString::asprintf("%d", value);
}

QString FormatRealNumber(double value) {
    return QString::asprintf("%.*g", 15, value);
}

QString FormatDesiredBodyFat(float value) {
    return QString::asprintf("%.*g", 6, static_cast<double>(value));
}

std::optional<std::string> ToStoredText(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

QString FromStoredText(std::string_view bytes) {
    if (auto utf8 = Cp1252ToUtf8(bytes))
        return QString::fromStdString(*utf8);
    // Unassigned bytes: show what can be shown rather than nothing.
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

QString FirstUnstorableCharacter(const QString& text) {
    for (const char32_t code : text.toUcs4()) {
        const QString character = QString::fromUcs4(&code, 1);
        const auto stored = ToStoredText(character);
        if (!stored || stored->find('\0') != std::string::npos)
            return character;
    }
    return {};
}

QString ShownCharacter(const QString& character) {
    const char32_t code = character.toUcs4().value(0);
    if (QChar::isPrint(code) && !QChar::isSpace(code))
        return QStringLiteral("\"%1\"").arg(character);
    return QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace vitalog
