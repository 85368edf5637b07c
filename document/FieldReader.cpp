#include "FieldReader.h"

#include "TextEncoding.h"

#include "engine/MessageText.h"
#include "engine/NumberFormat.h"

#include <cmath>
#include <limits>

namespace document {

namespace {

// "#yyyy-mm-dd#", optionally with " hh:mm:ss" before the closing "#"; the time of day is dropped.
std::optional<engine::Date> parseFileDate(std::string_view s)
{
    if (s.size() < 12 || s.front() != '#' || s.back() != '#')
        return std::nullopt;
    s = s.substr(1, s.size() - 2);
    auto number = [&](size_t pos, size_t len) -> int {
        int value = 0;
        for (size_t i = pos; i < pos + len; ++i) {
            if (i >= s.size() || s[i] < '0' || s[i] > '9')
                return -1;
            value = value * 10 + (s[i] - '0');
        }
        return value;
    };
    if (s.size() < 10 || s[4] != '-' || s[7] != '-')
        return std::nullopt;
    if (s.size() > 10
        && (s[10] != ' ' || s.size() != 19 || number(11, 2) < 0 || number(14, 2) < 0 || number(17, 2) < 0
            || s[13] != ':' || s[16] != ':'))
        return std::nullopt;
    const int y = number(0, 4), m = number(5, 2), d = number(8, 2);
    if (y < 0 || m < 0 || d < 0)
        return std::nullopt;
    return engine::exactDate(y, m, d);
}

} // namespace

bool FieldReader::atLineEnd() const
{
    return atEnd() || m_text[m_pos] == '\r' || m_text[m_pos] == '\n';
}

void FieldReader::consumeLineEnd()
{
    if (atEnd())
        return;
    if (m_text.substr(m_pos, 3) == "\r\r\n") {
        m_pos += 3;
    } else if (m_text[m_pos] == '\r') {
        ++m_pos;
        if (!atEnd() && m_text[m_pos] == '\n')
            ++m_pos;
    } else if (m_text[m_pos] == '\n') {
        ++m_pos;
    }
    ++m_line;
}

Field FieldReader::readField()
{
    if (atEnd())
        fail("the file ends too early");
    while (!atEnd() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
        ++m_pos;
    Field field;
    if (!atEnd() && m_text[m_pos] == '"') {
        field.kind = Field::Kind::Text;
        ++m_pos;
        std::string bytes;
        // A missing closing quote ends the text at the line end, so one damaged line cannot swallow the file.
        while (!atLineEnd()) {
            const char c = m_text[m_pos++];
            if (c == '"') {
                if (!atEnd() && m_text[m_pos] == '"') {
                    bytes.push_back('"');
                    ++m_pos;
                    continue;
                }
                break;
            }
            bytes.push_back(c);
        }
        field.text = decodedText(bytes);
        while (!atLineEnd() && m_text[m_pos] != ',')
            ++m_pos;
    } else {
        const size_t start = m_pos;
        while (!atLineEnd() && m_text[m_pos] != ',')
            ++m_pos;
        std::string_view raw = m_text.substr(start, m_pos - start);
        while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t'))
            raw.remove_suffix(1);
        field.text = decodedText(raw);
        if (raw.empty()) {
            field.kind = Field::Kind::Empty;
        } else if (raw == "#TRUE#" || raw == "#FALSE#") {
            field.kind = Field::Kind::Boolean;
            field.flag = raw == "#TRUE#";
        } else if (raw == "#NULL#") {
            field.kind = Field::Kind::Null;
        } else if (auto date = parseFileDate(raw)) {
            field.kind = Field::Kind::Date;
            field.date = *date;
        } else if (auto number = engine::parsePlainNumber(raw)) {
            field.kind = Field::Kind::Number;
            field.number = *number;
        } else {
            field.kind = Field::Kind::Word;
        }
    }
    if (!atEnd() && m_text[m_pos] == ',')
        ++m_pos;
    else
        consumeLineEnd();
    return field;
}

std::string FieldReader::readLine()
{
    const size_t start = m_pos;
    while (!atLineEnd())
        ++m_pos;
    std::string line(m_text.substr(start, m_pos - start));
    consumeLineEnd();
    return line;
}

void FieldReader::fail(const std::string &what) const
{
    throw ReadStop("line " + std::to_string(m_line) + ": " + what);
}

double FieldReader::numberOf(const Field &field, const char *type) const
{
    switch (field.kind) {
    case Field::Kind::Empty:
        return 0;
    case Field::Kind::Number:
        return field.number;
    case Field::Kind::Boolean:
        return field.flag ? -1 : 0;
    case Field::Kind::Date:
        return field.date;
    case Field::Kind::Text:
        if (auto number = engine::parsePlainNumber(field.text))
            return *number;
        break;
    case Field::Kind::Word:
    case Field::Kind::Null:
        break;
    }
    fail("\"" + engine::quotedForMessage(field.text) + "\" is not " + type);
}

int FieldReader::readInt16()
{
    const int line = m_line;
    const double value = std::nearbyint(numberOf(readField(), "a whole number"));
    if (!(value >= -32768 && value <= 32767))
        throw ReadStop("line " + std::to_string(line) + ": a number is out of range");
    return int(value);
}

long long FieldReader::readInt32()
{
    const int line = m_line;
    const double value = std::nearbyint(numberOf(readField(), "a whole number"));
    if (!(value >= double(std::numeric_limits<std::int32_t>::min())
          && value <= double(std::numeric_limits<std::int32_t>::max())))
        throw ReadStop("line " + std::to_string(line) + ": a number is out of range");
    return static_cast<long long>(value);
}

double FieldReader::readDouble()
{
    return numberOf(readField(), "a number");
}

double FieldReader::readNumberWithin(std::string_view name, double low, double high)
{
    const int line = m_line;
    const Field field = readField();
    const double value = numberOf(field, "a number");
    if (!(value >= low && value <= high))
        throw ReadStop("line " + std::to_string(line) + ": " + std::string(name) + " \""
                       + engine::quotedForMessage(field.text) + "\" is not within " + engine::plainNumber(low, 15)
                       + " to " + engine::plainNumber(high, 15));
    return value;
}

float FieldReader::readFloat()
{
    const int line = m_line;
    const double value = numberOf(readField(), "a number");
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        throw ReadStop("line " + std::to_string(line) + ": a number is out of range");
    return float(value);
}

std::optional<double> FieldReader::readOptional()
{
    const Field field = readField();
    if (field.kind == Field::Kind::Empty || field.kind == Field::Kind::Null)
        return std::nullopt;
    return numberOf(field, "a number");
}

engine::Date FieldReader::readDate()
{
    const int line = m_line;
    const Field field = readField();
    if (field.kind == Field::Kind::Date)
        return field.date;
    const double value = std::floor(numberOf(field, "a date"));
    if (!engine::isValidSerial(static_cast<std::int64_t>(std::fmax(std::fmin(value, 1e9), -1e9))))
        throw ReadStop("line " + std::to_string(line) + ": a date is out of range");
    return engine::Date(value);
}

bool FieldReader::readBoolean()
{
    const Field field = readField();
    if (field.kind == Field::Kind::Boolean)
        return field.flag;
    return numberOf(field, "true or false") != 0;
}

std::string FieldReader::readText()
{
    const Field field = readField();
    if (field.kind == Field::Kind::Null)
        fail("a text is missing");
    return field.text;
}

} // namespace document
