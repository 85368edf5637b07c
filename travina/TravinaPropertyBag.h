#pragma once

#include "travina_export.h"

#include <QString>
#include <QVariant>

// Where the control saves and loads its properties: named values, written in a fixed order.
// The host decides how the values reach a file.
class TRAVINA_EXPORT TravinaPropertyBag
{
public:
    virtual ~TravinaPropertyBag();

    // An invalid QVariant when the key is absent.
    virtual QVariant read(const QString &key) const = 0;
    virtual void write(const QString &key, const QVariant &value) = 0;
};
