#pragma once

#include <QColor>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable GoogleTest failure messages for the Qt values the tests compare.
inline void PrintTo(const QString &value, std::ostream *os)
{
    *os << '"' << value.toStdString() << '"';
}

inline void PrintTo(const QPoint &value, std::ostream *os)
{
    *os << '(' << value.x() << ", " << value.y() << ')';
}

inline void PrintTo(const QPointF &value, std::ostream *os)
{
    *os << '(' << value.x() << ", " << value.y() << ')';
}

inline void PrintTo(const QSize &value, std::ostream *os)
{
    *os << value.width() << 'x' << value.height();
}

inline void PrintTo(const QColor &value, std::ostream *os)
{
    *os << value.name(QColor::HexArgb).toStdString();
}

inline void PrintTo(const QStringList &list, std::ostream *out)
{
    *out << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *out << (i ? ", " : "");
        PrintTo(list[i], out);
    }
    *out << '}';
}
