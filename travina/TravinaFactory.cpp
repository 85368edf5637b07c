#include "TravinaFactory.h"

#include "CTravinaCtrl.h"

namespace {
int s_liveObjects = 0;
}

QString TravinaFactory::programmaticId()
{
    return QStringLiteral("Travina.Travina");
}

QWidget *TravinaFactory::create(QStringView id, QWidget *parent)
{
    if (id.compare(programmaticId(), Qt::CaseInsensitive) != 0)
        return nullptr;
    return new CTravinaCtrl(parent);
}

int TravinaFactory::liveObjects()
{
    return s_liveObjects;
}

bool TravinaFactory::canUnloadNow()
{
    return s_liveObjects == 0;
}

void TravinaFactory::objectCreated()
{
    ++s_liveObjects;
}

void TravinaFactory::objectDestroyed()
{
    --s_liveObjects;
}
