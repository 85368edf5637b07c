#include "TravinaPropertyBag.h"

// Defined here so the vtable and type information live in the library.
TravinaPropertyBag::~TravinaPropertyBag() = default;
