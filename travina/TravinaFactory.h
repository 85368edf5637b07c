#pragma once

#include "travina_export.h"

#include <QString>
#include <QStringView>

class QWidget;

// How the main program obtains the control without knowing its class, and how the library tells
// whether it may be unloaded.
class TRAVINA_EXPORT TravinaFactory
{
public:
    TravinaFactory() = delete;

    // "Travina.Travina"
    static QString programmaticId();

    // A new control for the id (compared case-insensitively), or nullptr for an unknown one.
    static QWidget *create(QStringView id, QWidget *parent = nullptr);

    // Controls alive, however they were created.
    static int liveObjects();
    static bool canUnloadNow();

private:
    friend class CTravinaCtrl;
    static void objectCreated();
    static void objectDestroyed();
};
