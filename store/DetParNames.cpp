#include "DetParNames.h"

std::multimap<OGSString, GS::Array<GS::String>> detParNames;
