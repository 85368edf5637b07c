#pragma once

#include "engine/Dates.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace document {

// Reading a document file stops at the first value that cannot be read; this carries what and where.
class ReadStop : public std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// One comma-separated field of a document file line, as written by the file writer.
struct Field
{
    enum class Kind { Empty, Text, Word, Number, Date, Boolean, Null };
    Kind kind = Kind::Empty;
    std::string text; // the text of a quoted field, or the raw characters of any other
    double number = 0;
    engine::Date date = engine::kNoDate;
    bool flag = false;
};

// Walks the text of a document file field by field and line by line.
class FieldReader
{
public:
    explicit FieldReader(std::string_view text)
        : m_text(text)
    { }

    bool atEnd() const { return m_pos >= m_text.size(); }
    // The line the next field starts on, from 1.
    int line() const { return m_line; }

    // Where the reader stands, to come back to.
    struct Position
    {
        std::size_t pos = 0;
        int line = 1;
    };
    Position position() const { return {m_pos, m_line}; }
    void seek(Position position)
    {
        m_pos = position.pos;
        m_line = position.line;
    }

    // Blanks before a field are skipped; a quoted field runs to the closing quote (two quotes stand for one) and
    // the rest up to the comma or line end is dropped; any other field runs to the comma or line end. The comma or
    // line end is consumed. A field's text is decided as UTF-8 or Windows-1252 on its own. Lines end in CR LF, LF, CR
    // alone or CR CR LF (the CR LF of a file that went through a converter once too often).
    Field readField();
    // Every byte up to the line end, which is consumed, as the file has it.
    std::string readLine();

    // Typed reads; each throws ReadStop when the field is not of a kind that converts.
    int readInt16();
    long long readInt32();
    double readDouble();
    // A number from `low` to `high`; the message of one outside names it `name` and quotes it as the file has it.
    double readNumberWithin(std::string_view name, double low, double high);
    float readFloat();
    std::optional<double> readOptional();
    engine::Date readDate();
    bool readBoolean();
    std::string readText();

private:
    bool atLineEnd() const;
    void consumeLineEnd();
    [[noreturn]] void fail(const std::string &what) const;
    double numberOf(const Field &field, const char *type) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

} // namespace document
